// winmm: the multimedia timer's millisecond count.
#pragma once

#include "platform/types.h"

DWORD WINAPI timeGetTime();
