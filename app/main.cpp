// s16check: checks steel members to CSA S16 from member files.
#include "app/CommandLine.h"
#include "app/Output.h"

int main(int argc, char** argv) {
    s16app::HoldClosedStandardStreams();
    s16app::InstallSignalHandlers();
    return s16app::RunCommandLine(argc, argv);
}
