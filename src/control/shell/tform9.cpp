#include "control/shell/tform9.h"

#include <QPushButton>

namespace pelmora {

TForm9::TForm9(const platform::AppContext& ctx) : ctx_(ctx) {
  setWindowTitle(QStringLiteral("アップロード進行表"));
  setFixedSize(539, 375);
  Button1 = new QPushButton(QStringLiteral("閉じる"), this);
  Button1->setGeometry(432, 8, 89, 25);
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm9::upload() { show(); }

}  // namespace pelmora
