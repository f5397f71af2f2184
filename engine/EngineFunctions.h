// The playback library's client functions that the player binds, in lookup order: one
// MOVIRA_ENGINE_FUNCTION(name, return type, parameter list) each. Define the macro, include
// this file, and every use expands it once per function: the fields of EngineApi, the
// lookup by name, the test fake's installation. The file undefines the macro at its end.
//
// A function is bound only if it is called; mpv_error_string is the exception: it is never
// called, but a library without it is not accepted.
//
// No include guard, on purpose.

MOVIRA_ENGINE_FUNCTION(mpv_create, mpv_handle*, (void))
MOVIRA_ENGINE_FUNCTION(mpv_initialize, int, (mpv_handle * ctx))
MOVIRA_ENGINE_FUNCTION(mpv_terminate_destroy, void, (mpv_handle * ctx))
MOVIRA_ENGINE_FUNCTION(mpv_command, int, (mpv_handle * ctx, const char** args))
MOVIRA_ENGINE_FUNCTION(mpv_command_string, int, (mpv_handle * ctx, const char* args))
MOVIRA_ENGINE_FUNCTION(mpv_set_option, int,
                       (mpv_handle * ctx, const char* name, mpv_format format, void* data))
MOVIRA_ENGINE_FUNCTION(mpv_set_option_string, int,
                       (mpv_handle * ctx, const char* name, const char* data))
MOVIRA_ENGINE_FUNCTION(mpv_get_property, int,
                       (mpv_handle * ctx, const char* name, mpv_format format, void* data))
MOVIRA_ENGINE_FUNCTION(mpv_set_property, int,
                       (mpv_handle * ctx, const char* name, mpv_format format, void* data))
MOVIRA_ENGINE_FUNCTION(mpv_set_property_string, int,
                       (mpv_handle * ctx, const char* name, const char* data))
MOVIRA_ENGINE_FUNCTION(mpv_observe_property, int,
                       (mpv_handle * ctx, uint64_t reply_userdata, const char* name,
                        mpv_format format))
MOVIRA_ENGINE_FUNCTION(mpv_wait_event, mpv_event*, (mpv_handle * ctx, double timeout))
MOVIRA_ENGINE_FUNCTION(mpv_set_wakeup_callback, void,
                       (mpv_handle * ctx, void (*cb)(void* d), void* d))
MOVIRA_ENGINE_FUNCTION(mpv_error_string, const char*, (int error))
MOVIRA_ENGINE_FUNCTION(mpv_free, void, (void* data))

#undef MOVIRA_ENGINE_FUNCTION
