// Import/export markers of the handheld layer's DLLs. Each DLL's own build
// defines its *_BUILD symbol so the same headers export there and import in
// the programs.
#pragma once

#ifdef COREDLL_BUILD
#define COREDLL_API extern "C" __declspec(dllexport)
#else
#define COREDLL_API extern "C" __declspec(dllimport)
#endif

#ifdef AYGSHELL_BUILD
#define AYGSHELL_API extern "C" __declspec(dllexport)
#else
#define AYGSHELL_API extern "C" __declspec(dllimport)
#endif

#ifdef RICHINK_BUILD
#define RICHINK_API extern "C" __declspec(dllexport)
#else
#define RICHINK_API extern "C" __declspec(dllimport)
#endif
