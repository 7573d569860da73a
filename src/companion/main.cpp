#include "companion/bremilo_app.h"

#include "platform/textfile.h"

int main(int argc, char** argv) {
  platform::textfile::keepRunningPastFileSizeLimit();
  return bremilo::runBremilo(argc, argv);
}
