#include "companion/readdata1.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class GalleryHost : public bremilo::CompanionHost {
 public:
  explicit GalleryHost(const platform::AppContext& ctx) : ctx_(ctx) {}
  const platform::AppContext& context() const override { return ctx_; }
  void storePosition(int, int, int) override {}
  int position(int) const override { return 0; }
  void showMenu() override {}

 private:
  const platform::AppContext& ctx_;
};

}  // namespace

TEST(Gallery, BremiloEepromReader) {
  testsupport::TestContext t;
  GalleryHost host(t.ctx);
  bremilo::TForm2 form(host);
  testsupport::saveToGallery(form, "bremilo-TForm2");

  QFile tool(t.path("hidspx"));
  tool.open(QIODevice::WriteOnly);
  tool.close();
  platform::RunResult run;
  run.started = true;
  run.exitCode = 0;
  run.output =
      "EEPROM\r\n"
      "000000: 00 00 00 00 00 00 00 05 - 00 00 00 0A 0B 0C 0D 0E\r\n"
      "000010: 14 15 9E FF 28 -- -- -- - -- -- -- -- -- -- -- --\r\n"
      "0001F0: 10 11 05 00 00 0A -- -- - -- -- -- -- -- -- -- --\r\n";
  t.processes.results.append(run);
  form.Timer2Timer();
  form.Panel2Click();
  testsupport::saveToGallery(form, "bremilo-TForm2-read");
}
