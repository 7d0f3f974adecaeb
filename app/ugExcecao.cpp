#include "app/ugExcecao.h"

#include "app/base/Abort.h"
#include "app/base/Database.h"
#include "app/base/Presenter.h"
#include "app/ugIndices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

QString nativo(const QString &caminho) { return QDir::toNativeSeparators(caminho); }

// The data folder of the program's connection ("" when none is open).
QString pastaDados() { return isDatabaseOpen() ? databaseFolder() : QString(); }

// A full disk, a folder or file that cannot be written, a damaged file: told as what they are. True when
// the failure was one of these.
bool mostraFalhaPrevista(const EngineError &E)
{
    if (dynamic_cast<const DiskFull *>(&E)) {
        presenter().beep();
        presenter().show(MessageKind::Error, TextoDiscoCheio(pastaDados()) + TextoNadaAlterado(), {MessageButton::Ok});
        return true;
    }
    if (E.code() == ErrOsAccessDenied) {
        const QString pasta = pastaDados();
        const QString local = pasta.isEmpty() ? QString() : LocalSemGravacao(pasta);
        presenter().beep();
        presenter().show(MessageKind::Error, TextoSemGravacao(local.isEmpty() ? pasta : local) + TextoNadaAlterado(),
                         {MessageButton::Ok});
        return true;
    }
    if (dynamic_cast<const DamagedFile *>(&E)) {
        const QString motivo = E.entries().isEmpty() ? QString() : E.entries().last().message.section(QLatin1Char('\n'), 0, 0);
        presenter().beep();
        presenter().show(MessageKind::Error,
                         TextoArquivoDanificado(isDatabaseOpen() ? ArquivoDanificado() : QString(), motivo) +
                             QStringLiteral("\n\nO GDVORN será encerrado. Ao iniciar, ele verifica os arquivos da "
                                            "declaração e oferece a restauração da cópia de segurança."),
                         {MessageButton::Ok});
        TerminaPrograma();
        return true;
    }
    return false;
}

} // namespace

QString TextoDiscoCheio(const QString &pasta)
{
    if (pasta.isEmpty())
        return QStringLiteral("Não há espaço livre no disco para gravar os dados.");
    return QStringLiteral("Não há espaço livre no disco da pasta de dados %1 para gravar os dados.").arg(nativo(pasta));
}

QString TextoSemGravacao(const QString &local)
{
    if (local.isEmpty())
        return QStringLiteral("Os arquivos de dados não podem ser gravados: o usuário não tem permissão de gravação neles.");
    if (QFileInfo(local).isDir())
        return QStringLiteral("A pasta de dados %1 não pode ser gravada: o usuário não tem permissão de gravação nela "
                              "ou ela está num disco protegido contra gravação. Peça ao administrador do computador "
                              "permissão de gravação nessa pasta.")
            .arg(nativo(local));
    return QStringLiteral("O arquivo %1 não pode ser gravado: o usuário não tem permissão de gravação nele ou ele "
                          "está marcado como somente leitura. Peça ao administrador do computador permissão de "
                          "gravação nesse arquivo.")
        .arg(nativo(local));
}

QString TextoArquivoDanificado(const QString &arquivo, const QString &motivo)
{
    const QString causa = motivo.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(motivo);
    if (arquivo.isEmpty())
        return QStringLiteral("Um dos arquivos de dados está danificado%1.\nRestaure a cópia de segurança mais recente "
                              "dos dados: instalar o GDVORN novamente não substitui esses arquivos.")
            .arg(causa);
    return QStringLiteral("O arquivo %1 está danificado%2.\nRestaure a cópia de segurança mais recente dos dados: "
                          "instalar o GDVORN novamente não substitui este arquivo.")
        .arg(nativo(arquivo), causa);
}

QString TextoNadaAlterado()
{
    return QStringLiteral("\n\nA operação foi recusada e nenhum dado foi alterado. Corrija o problema e tente de novo.");
}

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
    if (mostraFalhaPrevista(E))
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
