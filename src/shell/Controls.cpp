#include "shell/Controls.h"

#include "shell/Form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace vh {

namespace {

template <typename W>
W* placed(W* w, const QString& name, int left, int top, int width, int height)
{
    w->setObjectName(name);
    place(w, left, top, width, height);
    return w;
}

}  // namespace

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                  int height, Qt::Alignment align)
{
    auto* l = placed(new QLabel(caption, parent), name, left, top, width, height);
    l->setAlignment(align);
    return l;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height)
{
    auto* b = placed(new QPushButton(caption, parent), name, left, top, width, height);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, int maxLength, int left, int top, int width, int height)
{
    auto* b = placed(new QLineEdit(parent), name, left, top, width, height);
    if (maxLength > 0)
        b->setMaxLength(maxLength);
    return b;
}

QPlainTextEdit* makeMemoBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* b = placed(new QPlainTextEdit(parent), name, left, top, width, height);
    b->setTabChangesFocus(true);
    return b;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height)
{
    return placed(new QCheckBox(caption, parent), name, left, top, width, height);
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                         int height)
{
    return placed(new QRadioButton(caption, parent), name, left, top, width, height);
}

QComboBox* makeComboBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return placed(new QComboBox(parent), name, left, top, width, height);
}

QListWidget* makeListBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return placed(new QListWidget(parent), name, left, top, width, height);
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height)
{
    return placed(new QGroupBox(caption, parent), name, left, top, width, height);
}

QString accessibleCaption(const QString& labelCaption)
{
    QString text = labelCaption;
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void nameBox(QWidget* box, const QString& caption) { box->setAccessibleName(accessibleCaption(caption)); }

void nameBoxByLabel(QLabel* label, QWidget* box)
{
    nameBox(box, label->text());
    label->setBuddy(box);
}

}  // namespace vh
