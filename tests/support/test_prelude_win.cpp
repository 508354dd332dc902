// Compiles the Windows test programs' precompiled header (test_prelude_win.h).
