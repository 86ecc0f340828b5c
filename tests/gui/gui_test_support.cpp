// Shared support for the GUI tests lives in gui_test_support.h; this file keeps the
// executables' source list uniform.
