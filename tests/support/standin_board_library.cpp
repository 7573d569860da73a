// A stand-in for the school's board library: the five functions, each call
// recorded with its arguments, UsbInit answers and read values set by the
// test through the StandIn* functions. Built once with all five and once
// without UsbPoke.

#include <map>
#include <string>

namespace {
std::string calls;
std::map<std::string, int> initAnswers;
std::map<int, int> registers;

void record(const std::string& call) { calls += call + "\n"; }
}  // namespace

extern "C" {

int UsbInit(const char* selector) {
  auto it = initAnswers.find(selector);
  const int answer = it == initAnswers.end() ? -1 : it->second;
  record("UsbInit(" + std::string(selector) + ")=" + std::to_string(answer));
  return answer;
}

int UsbExit(void) {
  record("UsbExit()");
  return 0;
}

int PortAddress(const char* name) {
  const std::string reg(name);
  const int handle = reg == "ddrb" ? 101 : reg == "portb" ? 102 : reg == "pinb" ? 103 : reg == "pind" ? 104 : 0;
  record("PortAddress(" + reg + ")=" + std::to_string(handle));
  return handle;
}

int UsbPeek(int handle, int zero) {
  const int value = registers.count(handle) ? registers[handle] : 0xFF;
  record("UsbPeek(" + std::to_string(handle) + "," + std::to_string(zero) + ")=" + std::to_string(value));
  return value;
}

#ifndef STANDIN_WITHOUT_POKE
int UsbPoke(int handle, int zero, int value, int zero2) {
  record("UsbPoke(" + std::to_string(handle) + "," + std::to_string(zero) + "," + std::to_string(value) + "," +
         std::to_string(zero2) + ")");
  registers[handle] = value;
  return 0;
}
#endif

void StandInSetInit(const char* selector, int answer) { initAnswers[selector] = answer; }
void StandInSetRegister(int handle, int value) { registers[handle] = value; }
const char* StandInCalls(void) { return calls.c_str(); }
void StandInClear(void) { calls.clear(); }

}  // extern "C"
