// A loadable shared library that is no plug-in: it exports no VSTPluginMain.
extern "C" __attribute__((visibility("default"))) int notAPluginEntry() { return 42; }
