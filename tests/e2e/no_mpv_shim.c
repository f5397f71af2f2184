/* Preloaded into the player to make the mpv library look absent: dlopen of any file whose
 * name starts with "libmpv.so" fails the way the dynamic loader fails for a missing file,
 * and the next dlerror() says so. Every other call goes to the real functions.
 * Each refused name is appended, one per line, to the file named by NO_MPV_SHIM_LOG, so a
 * test can tell which names the program tried, in which order. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static __thread char message[512];
static __thread int has_message;

static int is_mpv(const char* file) {
    if (file == NULL) return 0;
    const char* slash = strrchr(file, '/');
    const char* base = slash != NULL ? slash + 1 : file;
    return strncmp(base, "libmpv.so", strlen("libmpv.so")) == 0;
}

static void log_refusal(const char* file) {
    const char* path = getenv("NO_MPV_SHIM_LOG");
    if (path == NULL) return;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char line[512];
    int length = snprintf(line, sizeof line, "%s\n", file);
    if (length > 0 && (size_t)length < sizeof line) (void)!write(fd, line, (size_t)length);
    close(fd);
}

void* dlopen(const char* file, int mode) {
    static void* (*real_dlopen)(const char*, int);
    if (real_dlopen == NULL) real_dlopen = (void* (*)(const char*, int))dlsym(RTLD_NEXT, "dlopen");
    if (is_mpv(file)) {
        snprintf(message, sizeof message,
                 "%s: cannot open shared object file: No such file or directory", file);
        has_message = 1;
        log_refusal(file);
        return NULL;
    }
    has_message = 0;
    return real_dlopen(file, mode);
}

char* dlerror(void) {
    static char* (*real_dlerror)(void);
    if (real_dlerror == NULL) real_dlerror = (char* (*)(void))dlsym(RTLD_NEXT, "dlerror");
    if (has_message) {
        /* Like the real one: reported once, then cleared. */
        has_message = 0;
        return message;
    }
    return real_dlerror();
}
