/* A stand-in playback library for journeys of the real program: it plays nothing, but
 * answers as the engine does and writes every option, command and property it is given, one
 * line each, to the file MOVIRA_ENGINE_LOG names. A loaded file is 100 s long; un-pausing
 * it "plays" to 42.5 s at once, and a seek goes where it is told. The real header is
 * included so every definition is checked against its declaration. */
#include <mpv/client.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define QUEUE_SIZE 64

struct mpv_handle {
    FILE* log;
    void (*wakeup)(void*);
    void* wakeupData;
    int paused, idle;
    double position, duration, volume;
    mpv_event queue[QUEUE_SIZE];
    mpv_event_property properties[QUEUE_SIZE];
    double values[QUEUE_SIZE];
    int flags[QUEUE_SIZE];
    int head, count;
    mpv_event current;
    mpv_event_property currentProperty;
    double currentValue;
    int currentFlag;
};

static mpv_handle g_engine;

static void Record(mpv_handle* ctx, const char* kind, const char* text) {
    if (ctx->log) {
        fprintf(ctx->log, "%s %s\n", kind, text);
        fflush(ctx->log);
    }
}

static void Wake(mpv_handle* ctx) {
    if (ctx->wakeup) ctx->wakeup(ctx->wakeupData);
}

static void Queue(mpv_handle* ctx, mpv_event_id id) {
    if (ctx->count == QUEUE_SIZE) return;
    const int slot = (ctx->head + ctx->count++) % QUEUE_SIZE;
    memset(&ctx->queue[slot], 0, sizeof ctx->queue[slot]);
    ctx->queue[slot].event_id = id;
}

static void QueueDouble(mpv_handle* ctx, const char* name, double value) {
    if (ctx->count == QUEUE_SIZE) return;
    const int slot = (ctx->head + ctx->count) % QUEUE_SIZE;
    Queue(ctx, MPV_EVENT_PROPERTY_CHANGE);
    ctx->values[slot] = value;
    ctx->properties[slot] = (mpv_event_property){name, MPV_FORMAT_DOUBLE, NULL};
}

static void QueueFlag(mpv_handle* ctx, const char* name, int value) {
    if (ctx->count == QUEUE_SIZE) return;
    const int slot = (ctx->head + ctx->count) % QUEUE_SIZE;
    Queue(ctx, MPV_EVENT_PROPERTY_CHANGE);
    ctx->flags[slot] = value;
    ctx->properties[slot] = (mpv_event_property){name, MPV_FORMAT_FLAG, NULL};
}

static void SetPaused(mpv_handle* ctx, int paused) {
    ctx->paused = paused;
    if (!paused && ctx->position < 42.5) {
        ctx->position = 42.5;
        QueueDouble(ctx, "time-pos", ctx->position);
    }
    QueueFlag(ctx, "pause", paused);
}

mpv_handle* mpv_create(void) {
    mpv_handle* ctx = &g_engine;
    memset(ctx, 0, sizeof *ctx);
    ctx->paused = 0;
    ctx->idle = 1;
    ctx->volume = 100.0;
    const char* path = getenv("MOVIRA_ENGINE_LOG");
    ctx->log = path ? fopen(path, "ab") : NULL;
    Record(ctx, "create", "");
    return ctx;
}

int mpv_initialize(mpv_handle* ctx) {
    Record(ctx, "initialize", "");
    return 0;
}

void mpv_terminate_destroy(mpv_handle* ctx) {
    Record(ctx, "terminate", "");
    if (ctx->log) fclose(ctx->log);
    ctx->log = NULL;
}

int mpv_command(mpv_handle* ctx, const char** args) {
    char line[4096] = "";
    for (const char** arg = args; *arg; ++arg) {
        if (arg != args) strncat(line, " ", sizeof line - strlen(line) - 1);
        strncat(line, *arg, sizeof line - strlen(line) - 1);
    }
    Record(ctx, "command", line);
    if (strcmp(args[0], "loadfile") == 0 && args[1]) {
        ctx->idle = 0;
        ctx->position = 0.0;
        ctx->duration = 100.0;
        Queue(ctx, MPV_EVENT_START_FILE);
        QueueDouble(ctx, "duration", ctx->duration);
        QueueFlag(ctx, "idle-active", 0);
        Queue(ctx, MPV_EVENT_FILE_LOADED);
        Queue(ctx, MPV_EVENT_PLAYBACK_RESTART);
    } else if (strcmp(args[0], "cycle") == 0 && args[1] && strcmp(args[1], "pause") == 0) {
        SetPaused(ctx, !ctx->paused);
    } else if (strcmp(args[0], "seek") == 0 && args[1]) {
        const double to = atof(args[1]);
        ctx->position = args[2] && strcmp(args[2], "relative") == 0 ? ctx->position + to : to;
        Queue(ctx, MPV_EVENT_SEEK);
        Queue(ctx, MPV_EVENT_PLAYBACK_RESTART);
        QueueDouble(ctx, "time-pos", ctx->position);
    } else if (strcmp(args[0], "stop") == 0) {
        ctx->idle = 1;
        QueueFlag(ctx, "idle-active", 1);
    }
    Wake(ctx);
    return 0;
}

int mpv_command_string(mpv_handle* ctx, const char* args) {
    Record(ctx, "command", args);
    return 0;
}

static void FormatValue(char* text, size_t size, mpv_format format, void* data) {
    switch (format) {
        case MPV_FORMAT_STRING:
            snprintf(text, size, "%s", *(const char**)data);
            break;
        case MPV_FORMAT_FLAG:
            snprintf(text, size, "%s", *(int*)data ? "yes" : "no");
            break;
        case MPV_FORMAT_INT64:
            snprintf(text, size, "%lld", (long long)*(int64_t*)data);
            break;
        case MPV_FORMAT_DOUBLE:
            snprintf(text, size, "%g", *(double*)data);
            break;
        default:
            snprintf(text, size, "?");
            break;
    }
}

static int SetNamed(mpv_handle* ctx, const char* kind, const char* name, const char* value) {
    char line[4096];
    snprintf(line, sizeof line, "%s=%s", name, value);
    Record(ctx, kind, line);
    if (strcmp(name, "pause") == 0) {
        SetPaused(ctx, strcmp(value, "yes") == 0);
        Wake(ctx);
    } else if (strcmp(name, "volume") == 0) {
        ctx->volume = atof(value);
    }
    return 0;
}

static int SetFormatted(mpv_handle* ctx, const char* kind, const char* name, mpv_format format,
                        void* data) {
    char value[4096];
    FormatValue(value, sizeof value, format, data);
    return SetNamed(ctx, kind, name, value);
}

int mpv_set_option(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return SetFormatted(ctx, "option", name, format, data);
}

int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data) {
    return SetNamed(ctx, "option", name, data);
}

int mpv_set_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return SetFormatted(ctx, "property", name, format, data);
}

int mpv_set_property_string(mpv_handle* ctx, const char* name, const char* data) {
    return SetNamed(ctx, "property", name, data);
}

int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    if (format == MPV_FORMAT_DOUBLE) {
        double value;
        if (strcmp(name, "time-pos") == 0 && !ctx->idle)
            value = ctx->position;
        else if (strcmp(name, "duration") == 0 && !ctx->idle)
            value = ctx->duration;
        else if (strcmp(name, "volume") == 0)
            value = ctx->volume;
        else
            return MPV_ERROR_PROPERTY_UNAVAILABLE;
        *(double*)data = value;
        return 0;
    }
    if (format == MPV_FORMAT_FLAG) {
        int value;
        if (strcmp(name, "pause") == 0)
            value = ctx->paused;
        else if (strcmp(name, "idle-active") == 0)
            value = ctx->idle;
        else if (strcmp(name, "eof-reached") == 0)
            value = 0;
        else
            return MPV_ERROR_PROPERTY_UNAVAILABLE;
        *(int*)data = value;
        return 0;
    }
    return MPV_ERROR_PROPERTY_UNAVAILABLE;
}

int mpv_observe_property(mpv_handle* ctx, uint64_t reply_userdata, const char* name,
                         mpv_format format) {
    Record(ctx, "observe", name);
    return 0;
}

mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout) {
    memset(&ctx->current, 0, sizeof ctx->current);
    if (ctx->count == 0) return &ctx->current; /* MPV_EVENT_NONE */
    const int slot = ctx->head;
    ctx->head = (ctx->head + 1) % QUEUE_SIZE;
    --ctx->count;
    ctx->current = ctx->queue[slot];
    if (ctx->current.event_id == MPV_EVENT_PROPERTY_CHANGE) {
        ctx->currentProperty = ctx->properties[slot];
        ctx->currentValue = ctx->values[slot];
        ctx->currentFlag = ctx->flags[slot];
        ctx->currentProperty.data = ctx->currentProperty.format == MPV_FORMAT_DOUBLE
                                        ? (void*)&ctx->currentValue
                                        : (void*)&ctx->currentFlag;
        ctx->current.data = &ctx->currentProperty;
    }
    return &ctx->current;
}

void mpv_set_wakeup_callback(mpv_handle* ctx, void (*cb)(void* d), void* d) {
    ctx->wakeup = cb;
    ctx->wakeupData = d;
}

const char* mpv_error_string(int error) { return "recording engine"; }

void mpv_free(void* data) {}
