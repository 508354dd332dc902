// Compiles the test programs' precompiled header (test_prelude.h).
