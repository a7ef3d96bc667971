// The program's main block: the application, the main window, the message loop.

#include "pgm/window/MainBlock.h"

int main(int argc, char* argv[])
{
    return nolt::runMainBlock(argc, argv);
}
