#include "control/shell/tform9.h"
#include "support/gallery.h"
#include "support/test_context.h"
#include "upload_standins.h"

#include <gtest/gtest.h>

namespace {

void renderUpload(bool compiles, const QString& name) {
  testsupport::TestContext t;
  testsupport::StandInProcesses processes;
  platform::AppContext ctx{t.ctx.appDir, t.board, t.prompts, processes, t.clock};
  platform::ScriptedOutsideWindows windows;
  windows.addWindow("QOV_mini", testsupport::writerButtons());
  QDir(t.dir.path()).mkdir("mirvotak");
  platform::textfile::writeLines(t.path("mirvotak/mirvotak.bas"), {"End"});
  testsupport::writeCompiler(t.ctx.appDir, compiles ? "mirvotak.hexを生成しました。" : "Error 1 line 1");
  testsupport::writeWriter(t.ctx.appDir, testsupport::writerLines("Passed"));
  pelmora::TForm9 form(ctx, windows);
  form.upload();
  testsupport::saveToGallery(form, name);
}

}  // namespace

TEST(Gallery, PelmoraUploadSuccess) { renderUpload(true, "pelmora-TForm9-success"); }

TEST(Gallery, PelmoraUploadFailure) { renderUpload(false, "pelmora-TForm9-failure"); }
