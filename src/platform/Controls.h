#pragma once
#include "platform/Colour.h"
#include "platform/QtColour.h"
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace quorin {

// A CJK font for the whole interface (Noto Sans CJK SC where installed).
void applyInterfaceFont();
// The first installed family of `wanted`, else a CJK family, else `wanted`.
QString availableFontFamily(const QString& wanted);

// A push button whose back colour shows state, and whose caption wraps onto
// several lines when the button is narrower than the text (tall buttons).
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setBackColor(ColorValue c);
    ColorValue backColor() const { return backColor_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void updateText();
    QString caption_;
    ColorValue backColor_;
};

// A label with a back colour that reports clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& caption, QWidget* parent = nullptr);
    void setBackColor(ColorValue c);
    ColorValue backColor() const { return backColor_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    ColorValue backColor_ = colors::panelGreen;
    bool pressed_ = false;
};

// A text field: single line, or several lines with a vertical scroll bar.
// Clicks and double clicks are reported; a disabled field reports neither.
class TextBox : public QWidget {
    Q_OBJECT
public:
    explicit TextBox(bool multiLine, QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    void setBackColor(ColorValue c);
    ColorValue backColor() const { return backColor_; }
    void setFontSize(double points);
    // A locked field shows its text but takes no typing.
    void setLocked(bool locked);
    bool isLocked() const;
    bool isMultiLine() const { return multi_ != nullptr; }
    QWidget* editor() const;

signals:
    void pressed();
    void clicked();
    void doubleClicked();
    void changed();
    // A key typed into the field, before the field takes it (13 for Enter).
    void keyPressed(int character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* single_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    ColorValue backColor_ = rgb(255, 255, 255);
};

// Holds a picture; shows it (stretched or at natural size) when visible and
// reports clicks.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);
    bool loadPicture(const QString& path); // false and empty when unreadable
    void setPicture(const QImage& image);
    void clearPicture();
    const QImage& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }
    void setStretch(bool on);
    bool stretch() const { return stretch_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QImage picture_;
    bool stretch_ = false;
};

} // namespace quorin
