#pragma once
// Program start of bremilo: its eight windows, created once in a fixed order.

#include "platform/context.h"

#include <functional>
#include <memory>

namespace bremilo {

class TForm1;
class TForm2;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

struct BremiloWindows {
  explicit BremiloWindows(const platform::AppContext& ctx);
  ~BremiloWindows();
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
  std::unique_ptr<TForm4> form4;
  std::unique_ptr<TForm5> form5;
  std::unique_ptr<TForm6> form6;
  std::unique_ptr<TForm7> form7;
  std::unique_ptr<TForm8> form8;
  std::unique_ptr<TForm9> form9;
};

// The value the simulated measuring board sends after ms milliseconds: a
// temperature that drifts slowly between about 12 and 28.
int simulatedMeasurement(qint64 ms);

int runBremilo(int argc, char** argv);

}  // namespace bremilo
