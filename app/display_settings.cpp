#include "app/display_settings.h"

DisplaySettings g_display;
