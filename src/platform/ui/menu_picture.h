#pragma once
// The picture at the top of either program's menu: the program's own board.

#include <QWidget>

namespace platform::ui {

class MenuPicture : public QWidget {
 public:
  enum class Board {
    Control,    // pelmora: the board with its row of eight LEDs
    Measuring,  // bremilo: the measuring board, its sensor and a line of values
  };
  MenuPicture(Board board, QWidget* parent, int left, int top, int width, int height);
  Board board() const { return board_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Board board_;
};

}  // namespace platform::ui
