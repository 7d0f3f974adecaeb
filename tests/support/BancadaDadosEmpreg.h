#pragma once
// The bench of the link-form tests: a program folder, the scripted presenter, the form, the link context
// as the establishment form or the employee list fills it, and the moves a user makes (type and leave a
// field, bring a tab forward) with what the tests read back (focus, tab, stored fields).

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosEmpreg.h"

#include "FixtureVinculos.h"
#include "ProgramaTeste.h"
#include "ScriptedPresenter.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace gdvorn::test {

inline const QString kPisBancada = QStringLiteral("13000000002");

inline void insereLinha(const QString &tabela, QVariantMap valores)
{
    // A link of the establishment carries its inscription type and CEI vinculado in its key.
    if (tabela == QLatin1String("bd8vinc")) {
        if (!valores.contains(QStringLiteral("CoCgcVinculado")))
            valores.insert(QStringLiteral("CoCgcVinculado"), QStringLiteral("00000000000000"));
        if (!valores.contains(QStringLiteral("InInscrEstabelecimento")))
            valores.insert(QStringLiteral("InInscrEstabelecimento"), QStringLiteral("1"));
    }
    Table t(tabela);
    t.Open();
    t.Append();
    for (auto it = valores.begin(); it != valores.end(); ++it)
        t.FieldByName(it.key()).setAsString(it.value().toString());
    t.Post();
    t.Close();
}

// A field of the first stored link of `pis` ("<ausente>" when there is none).
inline QString campoGravado(const QString &pis, const QString &nome)
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString() == pis)
            return t.FieldByName(nome).AsString();
    return QStringLiteral("<ausente>");
}

inline int vinculosGravados()
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    return t.RecordCount();
}

// A field of the test establishment's row.
inline QString campoEstabelecimento(const QString &nome)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    return t.FindKey({QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("01")})
               ? t.FieldByName(nome).AsString()
               : QStringLiteral("<ausente>");
}

// The context as the establishment form fills it for a new link, or as the list fills it for a stored one.
inline void contextoVinculo(const QString &pis = QString(), const QVariantMap &vinculo = {})
{
    AnoBaseVinculo = QStringLiteral("2010");
    InscricaoVinculo = QStringLiteral("11222333000181");
    PrefixoVinculo = QStringLiteral("01");
    TipoInscricaoVinculo = QStringLiteral("1");
    RazaoSocialVinculo = QStringLiteral("EMPRESA EXEMPLO LTDA");
    CeiVinculado = QStringLiteral("00000000000000");
    EncerradoAnoSeguinte = false;
    PisVinculo = pis;
    AdmissaoVinculo = vinculo.value(QStringLiteral("DaAdmissaoEmpregado")).toString();
    NomeEmpregadoVinculo = vinculo.value(QStringLiteral("NoEmpregado")).toString();
    DesligamentoVinculo = vinculo.value(QStringLiteral("DaDesligamentoEmpregado")).toString();
    CboVinculo = vinculo.value(QStringLiteral("CoCbo")).toString();
}

// The text MostraMensagem shows for `codigo`.
inline QString textoDaMensagem(const QString &codigo)
{
    ScriptedPresenter p;
    MostraMensagem(codigo);
    return p.boxes.first().text;
}

struct BancadaDadosEmpreg {
    std::unique_ptr<ProgramaTeste> programa = std::make_unique<ProgramaTeste>();
    std::unique_ptr<ScriptedPresenter> presenter = std::make_unique<ScriptedPresenter>();
    std::unique_ptr<TfmDadosEmpreg> form;
    QVariantMap gravado;

    ~BancadaDadosEmpreg()
    {
        form.reset();
        presenter.reset();
        programa.reset();
    }

    template <typename T = QWidget>
    T *w(const char *nome) const
    {
        auto *c = form->findChild<T *>(QLatin1String(nome));
        if (!c)
            qFatal("control %s missing", nome);
        return c;
    }
    QLineEdit *ed(const char *nome) const { return w<QLineEdit>(nome); }

    // The establishment and the stored link (with `mudancas`); the form opens that link or a new one.
    void abre(bool armazenado = true, const QVariantMap &mudancas = {}, const QVariantMap &estab = {})
    {
        insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste(estab));
        gravado = vinculoDeTeste(kPisBancada, mudancas);
        insereLinha(QStringLiteral("bd8vinc"), gravado);
        mostra(armazenado ? kPisBancada : QString(), gravado);
    }
    // Shows the form for the context of `pis` (empty: a new link).
    void mostra(const QString &pis, const QVariantMap &vinculo = {})
    {
        contextoVinculo(pis, vinculo);
        if (!form)
            form = std::make_unique<TfmDadosEmpreg>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // Types `texto` into `nome` (replacing it) and leaves with `tecla`.
    void digitaESai(const char *nome, const QString &texto, Qt::Key tecla = Qt::Key_Tab) const
    {
        QLineEdit *e = ed(nome);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, texto);
        QTest::keyClick(QApplication::focusWidget(), tecla,
                        tecla == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    // Brings `pagina` forward with the focus parked on the help button, so that no field is left on the way.
    void vaiPara(const char *pagina) const
    {
        w("BtAjuda")->setFocus();
        w<QTabWidget>("pcEmpregados")->setCurrentWidget(w(pagina));
    }
    QString foco() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString aba() const { return w<QTabWidget>("pcEmpregados")->currentWidget()->objectName(); }
    // The texts of the boxes shown so far.
    QStringList textos() const { return presenter->textos(); }
    bool mostrou(const QString &codigo) const { return textos().contains(textoDaMensagem(codigo)); }
};

} // namespace gdvorn::test
