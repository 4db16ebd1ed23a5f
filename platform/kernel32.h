// kernel32: files, read-only file mappings, local memory, the performance
// counter, and the program's entry point.
#pragma once

#include "platform/types.h"

#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 0x00000001
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define PAGE_READONLY 0x02
#define FILE_MAP_READ 0x0004
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define INVALID_FILE_SIZE 0xFFFFFFFFu

struct SECURITY_ATTRIBUTES;

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                          SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags,
                          HANDLE templateFile);
HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                          SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags,
                          HANDLE templateFile);
DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh);
HANDLE WINAPI CreateFileMappingA(HANDLE file, SECURITY_ATTRIBUTES* security, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name);
LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                            SIZE_T bytes);
BOOL WINAPI UnmapViewOfFile(LPCVOID view);
BOOL WINAPI CloseHandle(HANDLE handle);
HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL WINAPI LocalFree(HLOCAL memory);

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);

// The program's entry point, which the stand-in's main (kernel32/main.cpp)
// calls as the Windows start-up code does.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);
