#include "app/ugMensagens.h"

#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

// Looks the code up in the message table of the code-table module (or, without one, of the connection).
bool procura(const QString &codigo, QString &tipo, QString &texto)
{
    Table local(QStringLiteral("tb8msg"));
    Table *t = dmGDVorn ? &dmGDVorn->taMensagem : &local;
    if (!t->Active())
        t->Open();
    if (!t->FindKey({codigo}))
        return false;
    tipo = t->FieldByName(QStringLiteral("TpMensagem")).AsString().trimmed().toUpper();
    texto = t->FieldByName(QStringLiteral("TxMensagem")).AsString();
    return true;
}

QString naoCadastrada(const QString &codigo)
{
    return TextoResultado(presenter().show(
        MessageKind::Error, QStringLiteral("Mensagem %1 não cadastrada.").arg(codigo), {MessageButton::Ok}));
}

} // namespace

QString TextoResultado(MessageButton botao)
{
    switch (botao) {
    case MessageButton::Ok: return QStringLiteral("mrOk");
    case MessageButton::Cancel: return QStringLiteral("mrCancel");
    case MessageButton::Abort: return QStringLiteral("mrAbort");
    case MessageButton::Retry: return QStringLiteral("mrRetry");
    case MessageButton::Ignore: return QStringLiteral("mrIgnore");
    case MessageButton::Yes: return QStringLiteral("mrYes");
    case MessageButton::No: return QStringLiteral("mrNo");
    case MessageButton::None: break;
    }
    return QStringLiteral("Erro de Memoria");
}

QString MostraMensagem(const QString &Codigo)
{
    QString tipo, texto;
    if (!procura(Codigo, tipo, texto))
        return naoCadastrada(Codigo);
    if (tipo == QLatin1String("CNF"))
        return TextoResultado(presenter().show(MessageKind::Confirmation, texto, {MessageButton::Yes, MessageButton::No}));
    if (tipo == QLatin1String("WAR"))
        return TextoResultado(presenter().show(MessageKind::Warning, texto, {MessageButton::Ok}));
    if (tipo == QLatin1String("INF"))
        return TextoResultado(presenter().show(MessageKind::Information, texto, {MessageButton::Ok}));
    if (tipo == QLatin1String("ERR"))
        return TextoResultado(presenter().show(MessageKind::Error, texto, {MessageButton::Ok}));
    return QString();
}

void MostraMensagemEstab(const QString &Codigo, const QString &Inscricao, const QString &Razao,
                         const QString &Prefixo, const QString &Tipo)
{
    QString tipo, texto;
    if (!procura(Codigo, tipo, texto)) {
        naoCadastrada(Codigo);
        return;
    }
    const bool formata = Tipo == QLatin1String("1") || Tipo == QLatin1String("3");
    const QString inscricao = formata ? FormataInscricao(Inscricao, Tipo) : Inscricao;
    presenter().show(MessageKind::Information,
                     inscricao + QStringLiteral("  - ") + Prefixo + QStringLiteral("  - ") + Razao +
                         QStringLiteral("   ") + QLatin1Char('\n') + texto,
                     {MessageButton::Ok});
}

bool ConfirmaInterrupcao()
{
    return presenter().show(MessageKind::Information, QStringLiteral("Deseja interromper?"),
                            {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
}

} // namespace gdvorn
