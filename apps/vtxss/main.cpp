// vtxss: the command-line tool for batch work with the module's engines.

#include "Commands.h"

int main(int argc, char** argv) {
    return cli::runVtxss(argc, argv);
}
