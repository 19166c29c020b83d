// vantrel-render: a reference renderer that hosts the vantrel plug-in.
#include <cstdio>
#include <exception>
#include <new>

#include "command_line.h"
#include "render_job.h"

int main(int argc, char** argv) {
    Options options;
    try {
        options = parseCommandLine(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "vantrel-render: %s\nRun 'vantrel-render --help' for the options.\n",
                     e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    try {
        runRenderJob(options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vantrel-render: error: not enough memory for a %d x %d image\n",
                     options.width, options.height);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrel-render: error: %s\n", e.what());
        return 1;
    }
    return 0;
}
