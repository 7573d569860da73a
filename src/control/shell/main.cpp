#include "control/shell/pelmora_app.h"

#include "platform/textfile.h"

int main(int argc, char** argv) {
  platform::textfile::keepRunningPastFileSizeLimit();
  return pelmora::runPelmora(argc, argv);
}
