#include "app/ugExcecao.h"

#include "app/base/Abort.h"
#include "app/base/Presenter.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace gdvorn {

namespace {

void terminaPadrao()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

std::function<void()> g_termina = terminaPadrao;
std::function<bool()> g_focoEmLookup;

// The closing lines of every box.
QString fechamento()
{
    return QStringLiteral("\n\nErro não previsto.\nContatar a CATVORN comunicando todos os itens da mensagem.");
}

void mostraErro(const QString &texto, bool bipe)
{
    if (bipe)
        presenter().beep();
    presenter().show(MessageKind::Error, texto, {MessageButton::Ok});
    TerminaPrograma();
}

} // namespace

QString TextoErroBDE(const EngineError &E)
{
    const int codigo = E.code();
    QString texto = QStringLiteral("Erro BDE ") + QString::asprintf("%6d : $%.4X", codigo, unsigned(codigo));
    texto += QLatin1Char('\n') + engineCategoryText(E.category());
    texto += QLatin1Char('\n') + engineCodeText(codigo);
    const auto &entradas = E.entries();
    if (entradas.size() >= 2 && entradas.at(entradas.size() - 2).code != codigo)
        texto += QLatin1Char('\n') + engineCodeText(entradas.at(entradas.size() - 2).code);
    return texto + fechamento();
}

QString TextoErroDataBase(const DatabaseError &E)
{
    return QStringLiteral("Erro DataBase.\n\n") + E.message() + fechamento();
}

QString TextoErroFatal(const QString &mensagem)
{
    return QStringLiteral("Erro fatal.\n\n") + mensagem + fechamento();
}

void MostraErroBDE(const EngineError &E)
{
    if (E.code() == ErrLookupValue && g_focoEmLookup && g_focoEmLookup())
        return;
    mostraErro(TextoErroBDE(E), true);
}

void TrataExcecao(const std::exception &E)
{
    if (dynamic_cast<const EAbort *>(&E))
        return;
    if (const auto *bde = dynamic_cast<const EngineError *>(&E)) {
        MostraErroBDE(*bde);
        return;
    }
    if (const auto *db = dynamic_cast<const DatabaseError *>(&E)) {
        mostraErro(TextoErroDataBase(*db), true);
        return;
    }
    mostraErro(TextoErroFatal(QString::fromUtf8(E.what())), false);
}

void GDVORNExcecaoGeral(std::exception_ptr E)
{
    if (!E)
        return;
    try {
        std::rethrow_exception(E);
    } catch (const EAbort &) {
    } catch (const std::exception &e) {
        TrataExcecao(e);
    } catch (...) {
        mostraErro(TextoErroFatal(QString()), false);
    }
}

bool Protege(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        GDVORNExcecaoGeral(std::current_exception());
    }
    return false;
}

std::function<void()> setTerminaPrograma(std::function<void()> termina)
{
    auto antes = std::move(g_termina);
    g_termina = termina ? std::move(termina) : terminaPadrao;
    return antes;
}

void TerminaPrograma() { g_termina(); }

std::function<bool()> setFocoEmComboLookup(std::function<bool()> teste)
{
    auto antes = std::move(g_focoEmLookup);
    g_focoEmLookup = std::move(teste);
    return antes;
}

} // namespace gdvorn
