#pragma once
// The gradient button: an owner-drawn push button with a vertical gradient or
// plain face, an optional picture, two caption lines with four alignments,
// five frame styles (two with rounded corners), a pressed look, a focus frame
// and a grey look when disabled.

#include "control/widgets/plbutton_math.h"

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace pelmora {

class TplButton;

// One caption line; every change repaints the owning button.
class TplBtnCaption {
 public:
  explicit TplBtnCaption(TplButton& owner) : owner_(owner) {}
  TplBtnCaption(const TplBtnCaption&) = delete;
  TplBtnCaption& operator=(const TplBtnCaption&) = delete;

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  TplBtnAlignment Alignment() const { return alignment_; }
  void setAlignment(TplBtnAlignment alignment);
  int Left() const { return left_; }
  void setLeft(int left);
  int Right() const { return right_; }
  void setRight(int right);
  // Copies text, alignment and margins, then repaints.
  void Assign(const TplBtnCaption& other);

 private:
  TplButton& owner_;
  QString caption_;
  TplBtnAlignment alignment_ = taCenter;
  int left_ = 0;
  int right_ = 0;
};

// The picture of a button: an icon or a bitmap, where it stands and how it is
// drawn.
class TplBtnImage {
 public:
  enum class Kind { Empty, Icon, Bitmap };

  explicit TplBtnImage(TplButton& owner) : owner_(owner) {}
  TplBtnImage(const TplBtnImage&) = delete;
  TplBtnImage& operator=(const TplBtnImage&) = delete;

  Kind pictureKind() const { return kind_; }
  bool isEmpty() const { return kind_ == Kind::Empty || bitmap_.isNull(); }
  // The picture as a 24-bit bitmap; an icon is drawn onto one of its own size.
  const QImage& bitmap() const { return bitmap_; }
  void setIcon(const QIcon& icon, const QSize& size);
  void setBitmap(const QImage& bitmap);
  void clearPicture();

  int Left() const { return left_; }
  void setLeft(int left);  // clears HorzCenter
  int Top() const { return top_; }
  void setTop(int top);  // clears VertCenter
  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  bool TransParent() const { return transparent_; }
  void setTransParent(bool transparent);
  bool VertCenter() const { return vertCenter_; }
  void setVertCenter(bool centre);
  bool HorzCenter() const { return horzCenter_; }
  void setHorzCenter(bool centre);
  void Assign(const TplBtnImage& other);

 private:
  friend class TplButton;
  TplButton& owner_;
  Kind kind_ = Kind::Empty;
  QImage bitmap_;
  int left_ = 10;
  int top_ = 0;
  bool visible_ = true;
  bool transparent_ = false;
  bool vertCenter_ = true;
  bool horzCenter_ = false;
};

class TplButton : public QWidget {
  Q_OBJECT
 public:
  // name: the component's name; the first line shows it until a caption is set.
  explicit TplButton(QWidget* parent = nullptr, const QString& name = {});
  ~TplButton() override;

  TplButtonStyle ButtonStyle() const { return style_; }
  void setButtonStyle(TplButtonStyle style);
  bool Cancel() const { return cancel_; }
  void setCancel(bool cancel);
  bool Gradation() const { return gradation_; }
  void setGradation(bool gradation);  // True also clears ParentColor
  quint32 GradBeginColor() const { return gradBegin_; }
  void setGradBeginColor(quint32 bgrValue);
  quint32 GradEndColor() const { return gradEnd_; }
  void setGradEndColor(quint32 bgrValue);
  bool HasFocus() const { return hasFocus_; }
  void setHasFocus(bool hasFocus);
  int ModalResult() const { return modalResult_; }
  void setModalResult(int result);
  TplBtnImage& Image() { return image_; }
  const TplBtnImage& Image() const { return image_; }
  void setImage(const TplBtnImage& image) { image_.Assign(image); }
  bool DisableImage() const { return disableImage_; }
  void setDisableImage(bool disableImage);
  TplBtnCaption& CaptionA() { return captionA_; }
  const TplBtnCaption& CaptionA() const { return captionA_; }
  void setCaptionA(const TplBtnCaption& caption) { captionA_.Assign(caption); }
  TplBtnCaption& CaptionB() { return captionB_; }
  const TplBtnCaption& CaptionB() const { return captionB_; }
  void setCaptionB(const TplBtnCaption& caption) { captionB_.Assign(caption); }
  int CaptionLineSpace() const { return lineSpace_; }
  void setCaptionLineSpace(int space);
  int CaptionTop() const { return captionTop_; }
  void setCaptionTop(int top);  // clears CaptionVertCenter
  bool CaptionVertCenter() const { return captionVertCenter_; }
  void setCaptionVertCenter(bool centre);
  TplBtnFrameType FlatFrameType() const { return frameType_; }
  void setFlatFrameType(TplBtnFrameType type);
  // Face colour when not a gradient, 0x00BBGGRR.
  quint32 Color() const { return colour_; }
  void setColor(quint32 bgrValue);
  bool ParentColor() const { return parentColor_; }
  void setParentColor(bool parentColor);

  bool isPressed() const { return pressed_; }
  // What a finished click does: pressed look off, the modal result handed to
  // a modal dialog, clicked(), repaint.
  void Click();

 Q_SIGNALS:
  void clicked();
  void entered();
  void exited();
  void mouseEntered(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint position);
  void mouseLeft(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint position);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void changeEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  friend class TplBtnCaption;
  friend class TplBtnImage;
  void parentChanged();
  void applyShape();
  bool disabledLook() const { return !isEnabled() && (hasFocus_ || disableImage_); }
  bool shifted() const { return hasFocus_ && pressed_; }
  QColor faceColour() const;
  void paintFace(QImage& canvas);
  void drawImage(QPainter& p);
  void drawCaption(QPainter& p, const TplBtnCaption& caption, int y);
  void drawFrame(QPainter& p);
  void drawFocus(QPainter& p, QImage& canvas);

  TplButtonStyle style_ = bsNormal;
  bool cancel_ = false;
  bool gradation_ = true;
  quint32 gradBegin_ = 0xFFFFFF;
  quint32 gradEnd_ = 0xC0C0C0;
  bool hasFocus_ = true;
  int modalResult_ = 0;
  TplBtnImage image_;
  bool disableImage_ = false;
  TplBtnCaption captionA_;
  TplBtnCaption captionB_;
  int lineSpace_ = 4;
  int captionTop_ = 0;
  bool captionVertCenter_ = true;
  TplBtnFrameType frameType_ = bffFlat;
  quint32 colour_ = 0xF0F0F0;
  bool parentColor_ = false;
  bool pressed_ = false;
  bool hadParent_ = false;
  QPointer<QWidget> watchedWindow_;
};

}  // namespace pelmora
