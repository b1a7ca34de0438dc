#include "platform/Controls.h"
#include "platform/InputCodes.h"
#include "platform/PictureFile.h"
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quorin {

QString availableFontFamily(const QString& wanted) {
    const QStringList families = QFontDatabase::families();
    if (families.contains(wanted))
        return wanted;
    for (const char* cjk : {"Noto Sans CJK SC", "Noto Serif CJK SC", "WenQuanYi Zen Hei",
                            "AR PL UMing CN", "Droid Sans Fallback"})
        if (families.contains(QString::fromLatin1(cjk)))
            return QString::fromLatin1(cjk);
    return wanted;
}

void applyInterfaceFont() {
    QFont f = QApplication::font();
    f.setFamily(availableFontFamily(QStringLiteral("Noto Sans CJK SC")));
    f.setPointSize(9);
    QApplication::setFont(f);
}

namespace {
QString colorCss(ColorValue c) {
    return toQColor(c).name();
}
} // namespace

// ---------------------------------------------------------------- CommandButton

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(parent), caption_(caption), backColor_(colors::buttonCream) {
    setFocusPolicy(Qt::TabFocus);
    setBackColor(backColor_);
    updateText();
}

void CommandButton::setCaption(const QString& caption) {
    caption_ = caption;
    updateText();
}

void CommandButton::setBackColor(ColorValue c) {
    backColor_ = c;
    // Dark state colours need light text to stay readable.
    const QColor q = toQColor(c);
    const QString fg = q.lightness() < 110 ? QStringLiteral("#ffffff") : QStringLiteral("#000000");
    setStyleSheet(
        QStringLiteral("QPushButton{background-color:%1;color:%2;border:1px solid #7a7a6a;"
                       "padding:1px;}QPushButton:pressed{border:2px inset #555;}"
                       "QPushButton:disabled{color:#8a8a80;}")
            .arg(colorCss(c), fg));
}

void CommandButton::resizeEvent(QResizeEvent* e) {
    QPushButton::resizeEvent(e);
    updateText();
}

// Break the caption into lines that fit the button's width, as a tall narrow
// button shows its caption one or two characters per line.
void CommandButton::updateText() {
    const QFontMetrics fm(font());
    const int avail = std::max(8, width() - 6);
    if (fm.horizontalAdvance(caption_) <= avail || caption_.contains(QLatin1Char('\n'))) {
        setText(caption_);
        return;
    }
    QString out;
    QString line;
    for (const QChar ch : caption_) {
        if (!line.isEmpty() && fm.horizontalAdvance(line + ch) > avail) {
            out += line + QLatin1Char('\n');
            line.clear();
        }
        line += ch;
    }
    out += line;
    setText(out);
}

// ---------------------------------------------------------------- ClickLabel

ClickLabel::ClickLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAutoFillBackground(true);
    setWordWrap(true);
    setBackColor(backColor_);
}

void ClickLabel::setBackColor(ColorValue c) {
    backColor_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(c));
    setPalette(p);
}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->pos());
    pressed_ = false;
    QLabel::mouseReleaseEvent(e);
    if (click)
        emit clicked();
}

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(bool multiLine, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (multiLine) {
        multi_ = new QPlainTextEdit(this);
        multi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        multi_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        layout->addWidget(multi_);
        connect(multi_, &QPlainTextEdit::textChanged, this, &TextBox::changed);
    } else {
        single_ = new QLineEdit(this);
        // The box's placed height rules: on its own the editor keeps the
        // height of one line and sits centred in a taller box.
        single_->setSizePolicy(single_->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
        layout->addWidget(single_);
        connect(single_, &QLineEdit::textChanged, this, &TextBox::changed);
    }
    QWidget* ed = editor();
    ed->installEventFilter(this);
    if (multi_)
        multi_->viewport()->installEventFilter(this);
}

QWidget* TextBox::editor() const {
    return single_ ? static_cast<QWidget*>(single_) : static_cast<QWidget*>(multi_);
}

QString TextBox::text() const {
    if (single_)
        return single_->text();
    // The box keeps line ends as CR LF, as the program writes them.
    return multi_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TextBox::setText(const QString& text) {
    if (single_) {
        single_->setText(text);
        single_->setCursorPosition(0);
    } else {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        multi_->setPlainText(t);
    }
}

void TextBox::setBackColor(ColorValue c) {
    backColor_ = c;
    QWidget* ed = editor();
    QPalette p = ed->palette();
    p.setColor(QPalette::Base, toQColor(c));
    ed->setPalette(p);
    // Result fields are disabled; their text must stay readable.
    ed->setStyleSheet(QStringLiteral("QLineEdit,QPlainTextEdit{background-color:%1;}"
                                     "QLineEdit:disabled,QPlainTextEdit:disabled{color:#3c3c3c;}")
                          .arg(colorCss(c)));
}

void TextBox::setFontSize(double points) {
    QWidget* ed = editor();
    QFont f = ed->font();
    f.setPointSizeF(points);
    ed->setFont(f);
}

void TextBox::setLocked(bool locked) {
    if (single_)
        single_->setReadOnly(locked);
    else
        multi_->setReadOnly(locked);
}

bool TextBox::isLocked() const {
    return single_ ? single_->isReadOnly() : multi_->isReadOnly();
}

bool TextBox::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (isEnabled() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            emit clicked();
        break;
    case QEvent::MouseButtonDblClick:
        if (isEnabled())
            emit doubleClicked();
        break;
    case QEvent::MouseButtonPress:
        if (isEnabled())
            emit pressed();
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int character = keyPressCharacter(key->key(), key->modifiers(), key->text());
        if (character != 0)
            emit keyPressed(character);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- ImageBox

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

bool ImageBox::loadPicture(const QString& path) {
    const QImage img = readPictureFile(path);
    const bool ok = !img.isNull();
    picture_ = ok ? img.convertToFormat(QImage::Format_RGB32) : QImage();
    update();
    return ok;
}

void ImageBox::setPicture(const QImage& image) {
    picture_ = image;
    update();
}

void ImageBox::clearPicture() {
    picture_ = QImage();
    update();
}

void ImageBox::setStretch(bool on) {
    stretch_ = on;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_)
        p.drawImage(rect(), picture_);
    else
        p.drawImage(0, 0, picture_);
}

void ImageBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->pos()))
        emit clicked();
}

} // namespace quorin
