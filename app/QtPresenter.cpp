#include "app/QtPresenter.h"

#include "app/QtAplicacao.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

namespace gdvorn {

namespace {

QList<QMessageBox *> g_abertas; // the boxes on screen, the innermost last

} // namespace

void QtPresenter::Encerra()
{
    for (QMessageBox *box : std::as_const(g_abertas))
        box->reject();
}

MessageButton QtPresenter::show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons)
{
    return show(kind, text, buttons, QString(), MessageButton::None);
}

MessageButton QtPresenter::show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons,
                                const QString &caption, MessageButton defaultButton)
{
    const QList<MessageButton> wanted = buttons.isEmpty() ? QList<MessageButton>{MessageButton::Ok} : buttons;
    const MessageButton escapeAnswer = wanted.contains(MessageButton::Cancel) ? MessageButton::Cancel
                                       : wanted.contains(MessageButton::No)   ? MessageButton::No
                                                                              : wanted.first();
    if (TerminoPedido())
        return escapeAnswer;
    QMessageBox box(QApplication::activeWindow());
    switch (kind) {
    case MessageKind::Confirmation:
        box.setWindowTitle(QStringLiteral("Confirme"));
        box.setIcon(QMessageBox::Question);
        break;
    case MessageKind::Warning:
        box.setWindowTitle(QStringLiteral("Atenção"));
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Information:
        box.setWindowTitle(QStringLiteral("Informação"));
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Error:
        box.setWindowTitle(QStringLiteral("Erro"));
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (!caption.isEmpty())
        box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText); // a message is never markup
    box.setText(text);
    QHash<QAbstractButton *, MessageButton> map;
    for (MessageButton b : wanted) {
        QString caption;
        QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
        switch (b) {
        case MessageButton::Ok: caption = QStringLiteral("OK"); break;
        case MessageButton::Yes: caption = QStringLiteral("&Sim"); role = QMessageBox::YesRole; break;
        case MessageButton::No: caption = QStringLiteral("&Não"); role = QMessageBox::NoRole; break;
        case MessageButton::Cancel: caption = QStringLiteral("Cancela"); role = QMessageBox::RejectRole; break;
        case MessageButton::Abort: caption = QStringLiteral("&Abortar"); role = QMessageBox::RejectRole; break;
        case MessageButton::Retry: caption = QStringLiteral("&Repetir"); break;
        case MessageButton::Ignore: caption = QStringLiteral("&Ignorar"); break;
        case MessageButton::None: continue;
        }
        QPushButton *pb = box.addButton(caption, role);
        map.insert(pb, b);
        if (b == escapeAnswer)
            box.setEscapeButton(pb);
        if (b == defaultButton)
            box.setDefaultButton(pb);
    }
    // A short text makes a narrow box: widen it to its title.
    if (auto *grade = qobject_cast<QGridLayout *>(box.layout()))
        grade->addItem(new QSpacerItem(LarguraParaTitulo(box, box.windowTitle()), 0, QSizePolicy::Minimum),
                       grade->rowCount(), 0, 1, grade->columnCount());
    g_abertas << &box;
    box.exec();
    g_abertas.removeOne(&box);
    if (TerminoPedido())
        return escapeAnswer;
    return map.value(box.clickedButton(), escapeAnswer);
}

int LarguraParaTitulo(const QWidget &janela, const QString &titulo)
{
    QFont fonte = janela.font();
    fonte.setBold(true); // title bars mostly are
    return QFontMetrics(fonte).horizontalAdvance(titulo) + 4 * janela.style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

void QtPresenter::beep() { QApplication::beep(); }

} // namespace gdvorn
