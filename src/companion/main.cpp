#include "companion/bremilo_app.h"

int main(int argc, char** argv) { return bremilo::runBremilo(argc, argv); }
