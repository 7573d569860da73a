#include "platform/ui/qt_prompts.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTranslator>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {
QWidget* owner() { return QApplication::activeWindow(); }

// The width Qt gives the text of a message box that wraps.
int wrapWidth(const QWidget& widget) { return std::min(widget.screen()->availableGeometry().width() / 2, 500); }

QTextOption wrapping(QTextOption::WrapMode mode) {
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(mode);
  return option;
}

// The box's text laid out so that a run with no break point (a path) also
// breaks where the line ends. Only the layout differs from Qt's label: the
// text, what assistive technology reads and what the pupil selects and copies
// (with the mouse, Ctrl+A, Ctrl+C or the context menu) are the message itself.
class WrappingLabel : public QLabel {
 public:
  explicit WrappingLabel(const QString& text) : QLabel(text) {
    setTextFormat(Qt::PlainText);
    setAccessibleName(text);  // as it is, with no '&' taken for a shortcut mark
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::IBeamCursor);
    document_.setDocumentMargin(0);
    document_.setDefaultTextOption(wrapping(QTextOption::WrapAtWordBoundaryOrAnywhere));
    document_.setPlainText(text);
  }

  QSize minimumSizeHint() const override {
    const int width = std::min(laidOut(-1).width(), wrapWidth(*this));
    return {width, fontMetrics().height()};
  }
  QSize sizeHint() const override {
    const int width = minimumSizeHint().width();
    return {width, heightForWidth(width)};
  }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return laidOut(width).height(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.translate(textOrigin());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
    QAbstractTextDocumentLayout::Selection selected{selection_, {}};
    selected.format.setBackground(palette().brush(QPalette::Highlight));
    selected.format.setForeground(palette().brush(QPalette::HighlightedText));
    context.selections.append(selected);
    document_.documentLayout()->draw(&painter, context);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) select(event->position(), QTextCursor::MoveAnchor);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (event->buttons() & Qt::LeftButton) select(event->position(), QTextCursor::KeepAnchor);
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (QApplication::clipboard()->supportsSelection() && selection_.hasSelection()) {
      QApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Copy)) {
      copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
      selectAll();
    } else {
      QLabel::keyPressEvent(event);
    }
  }
  // The menu Qt's selectable label has, with Qt's own (translated) texts.
  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu(this);
    QAction* copying = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this,
                                      [this] { copy(); });
    copying->setEnabled(selection_.hasSelection());
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this, [this] { selectAll(); });
    menu.exec(event->globalPos());
  }

 private:
  // The text's size at a width; -1 lays it out without wrapping.
  QSize laidOut(int width) const {
    if (document_.defaultFont() != font()) document_.setDefaultFont(font());
    document_.setTextWidth(width);
    const QSizeF size(document_.idealWidth(), document_.size().height());
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
  }
  // Where the text starts: at the left, centred from top to bottom as Qt's label.
  QPoint textOrigin() const {
    const QRect area = contentsRect();
    return {area.left(), area.top() + std::max(0, area.height() - laidOut(area.width()).height()) / 2};
  }
  void select(QPointF point, QTextCursor::MoveMode mode) {
    selection_.setPosition(document_.documentLayout()->hitTest(point - textOrigin(), Qt::FuzzyHit), mode);
    update();
  }
  void selectAll() {
    selection_.select(QTextCursor::Document);
    update();
  }
  QString selectedText() const { return selection_.selection().toPlainText(); }
  void copy() const {
    if (selection_.hasSelection()) QApplication::clipboard()->setText(selectedText());
  }

  mutable QTextDocument document_;
  QTextCursor selection_{&document_};
};

// Whether a run of the text is wider than a wrapping box can hold: Qt's own
// label breaks only between words and would widen the box past the screen.
bool hasRunWiderThanBox(const QString& text, const QWidget& box) {
  QTextDocument document;
  document.setDocumentMargin(0);
  document.setDefaultFont(box.font());
  document.setDefaultTextOption(wrapping(QTextOption::WordWrap));
  document.setPlainText(text);
  document.setTextWidth(wrapWidth(box));
  return document.idealWidth() > wrapWidth(box);
}
}  // namespace

std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, buttons, owner);
  auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (label == nullptr || !hasRunWiderThanBox(text, *box)) return box;
  // Qt's label stays, hidden, as what the box's text() reads; the shown one takes its name.
  auto* wrapping = new WrappingLabel(text);
  delete box->layout()->replaceWidget(label, wrapping);
  label->hide();
  label->setObjectName(QString());
  wrapping->setObjectName(QStringLiteral("qt_msgbox_label"));
  return box;
}

void QtPrompts::message(const QString& text) {
  makeBox(QMessageBox::Information, title_, text, QMessageBox::Ok, owner())->exec();
}

void QtPrompts::error(const QString& caption, const QString& text) { QMessageBox::critical(owner(), caption, text); }

bool QtPrompts::askYesNo(const QString& text) {
  auto box = makeBox(QMessageBox::Question, title_, text, QMessageBox::Yes | QMessageBox::No, owner());
  box->setDefaultButton(QMessageBox::Yes);
  return box->exec() == QMessageBox::Yes;
}

bool QtPrompts::confirmOk(const QString& text) {
  return makeBox(QMessageBox::Question, title_, text, QMessageBox::Ok, owner())->exec() == QMessageBox::Ok;
}

void QtPrompts::confirmYes(const QString& text) {
  makeBox(QMessageBox::Question, title_, text, QMessageBox::Yes, owner())->exec();
}

QString QtPrompts::openFileName(const QString& directory, const QString& filter) {
  return QFileDialog::getOpenFileName(owner(), QString(), directory, filter);
}

QString QtPrompts::saveFileName(const QString& directory, const QString& suggestedName, const QString& filter) {
  return QFileDialog::getSaveFileName(owner(), QString(), directory + suggestedName, filter);
}

void installJapaneseTranslations() {
  auto* translator = new QTranslator(qApp);
  if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace platform::ui
