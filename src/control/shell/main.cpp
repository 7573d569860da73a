#include "control/shell/pelmora_app.h"

int main(int argc, char** argv) { return pelmora::runPelmora(argc, argv); }
