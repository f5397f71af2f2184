/* A stand-in for the playback library that exports the client functions the player binds.
 * The real header is included so every definition is checked against its declaration.
 * Built with OMIT_ERROR_STRING it lacks mpv_error_string, the one function the player
 * binds without calling. */
#include <mpv/client.h>
#include <stddef.h>

mpv_handle* mpv_create(void) { return NULL; }
int mpv_initialize(mpv_handle* ctx) { return MPV_ERROR_UNINITIALIZED; }
void mpv_terminate_destroy(mpv_handle* ctx) {}
int mpv_command(mpv_handle* ctx, const char** args) { return MPV_ERROR_UNINITIALIZED; }
int mpv_command_string(mpv_handle* ctx, const char* args) { return MPV_ERROR_UNINITIALIZED; }

int mpv_set_option(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return MPV_ERROR_UNINITIALIZED;
}

int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data) {
    return MPV_ERROR_UNINITIALIZED;
}

int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return MPV_ERROR_UNINITIALIZED;
}

int mpv_set_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return MPV_ERROR_UNINITIALIZED;
}

int mpv_set_property_string(mpv_handle* ctx, const char* name, const char* data) {
    return MPV_ERROR_UNINITIALIZED;
}

int mpv_observe_property(mpv_handle* mpv, uint64_t reply_userdata, const char* name,
                         mpv_format format) {
    return MPV_ERROR_UNINITIALIZED;
}

mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout) { return NULL; }
void mpv_set_wakeup_callback(mpv_handle* ctx, void (*cb)(void* d), void* d) {}

#ifndef OMIT_ERROR_STRING
const char* mpv_error_string(int error) { return "fake engine"; }
#endif

void mpv_free(void* data) {}
