#include "companion/bremilo_app.h"

#include <csignal>

int main(int argc, char** argv) {
  // Past a file-size limit a write then fails and the save says so, instead
  // of the program ending and leaving its half-written file behind.
  std::signal(SIGXFSZ, SIG_IGN);
  return bremilo::runBremilo(argc, argv);
}
