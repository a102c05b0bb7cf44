#pragma once

#include <zint.h>

#include <QtTest>

#include <dlfcn.h>

// Sentinels of FakeZint.c: what a fresh record holds before the component writes it.
inline constexpr int DefaultOption1 = -1111;
inline constexpr int DefaultOption2 = -2222;
inline constexpr int DefaultOption3 = 0x10000;
inline constexpr int DefaultEci = 7777;
inline constexpr float DefaultDotSize = 0.25f;

// The recording engine's control functions, reached through a handle of our own.
struct TFakeEngine
{
    void *Handle = nullptr;
    void (*Reset)() = nullptr;
    const char *(*Log)() = nullptr;
    const zint_symbol *(*RecordAtEncode)() = nullptr;
    const zint_symbol *(*RecordAtCap)() = nullptr;
    const unsigned char *(*Data)(int *) = nullptr;
    int (*Rotation)() = nullptr;
    const char *(*Outfile)() = nullptr;
    void (*SetCapabilities)(unsigned) = nullptr;
    void (*SetBitmapSize)(int, int) = nullptr;
    void (*ClaimBitmapSize)(int, int) = nullptr; // reports the size, makes no pixels
    void (*SetCreateFails)(int) = nullptr;
    void (*SetFailure)(int, int, const char *) = nullptr;
    void (*Pixel)(int, int, unsigned char *) = nullptr;
    char (*Char)(int, int) = nullptr;

    void Load(const char *path)
    {
        Handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(Handle != nullptr, dlerror());
        Resolve(Reset, "FakeZint_Reset");
        Resolve(Log, "FakeZint_Log");
        Resolve(RecordAtEncode, "FakeZint_RecordAtEncode");
        Resolve(RecordAtCap, "FakeZint_RecordAtCap");
        Resolve(Data, "FakeZint_Data");
        Resolve(Rotation, "FakeZint_Rotation");
        Resolve(Outfile, "FakeZint_Outfile");
        Resolve(SetCapabilities, "FakeZint_SetCapabilities");
        Resolve(SetBitmapSize, "FakeZint_SetBitmapSize");
        Resolve(ClaimBitmapSize, "FakeZint_ClaimBitmapSize");
        Resolve(SetCreateFails, "FakeZint_SetCreateFails");
        Resolve(SetFailure, "FakeZint_SetFailure");
        Resolve(Pixel, "FakeZint_Pixel");
        Resolve(Char, "FakeZint_Char");
    }

    template <typename F>
    void Resolve(F &f, const char *name)
    {
        f = reinterpret_cast<F>(dlsym(Handle, name));
        QVERIFY2(f != nullptr, name);
    }
};


