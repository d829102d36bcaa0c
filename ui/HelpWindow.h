#pragma once

#include <QWidget>

class QLabel;

// The short "How to play" window that F1 opens: the day's rhythm, the levels
// that bring and keep guests, and every key. It never blocks the game.
class THelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // The help as rich text.
    static QString HelpText();
    QLabel *Body() const { return body_; }

private:
    QLabel *body_;
};
