// The bulk link wizards driven offscreen from the establishment list (Alt+F3, Alt+F4, Alt+F5): the
// pages, their refusals by message code, and what the finish leaves in the tables.

#include "app/base/Table.h"
#include "app/ufmAssistente.h"
#include "entry/FormEdits.h"
#include "entry/ufmConEstab.h"
#include "entry/ugOperacoesVinculos.h"
#include "rules/ugRegrasInscricao.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00000100000002");
const QString kNomeLongo = QStringLiteral("MARIA DAS DORES DE ALBUQUERQUE CAVALCANTI FERREIRA S"); // 52

QString textoMensagem(const QString &codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({codigo}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed() : codigo;
}

// A number valid both as a CNPJ and as a CEI.
QString valeComoAmbos()
{
    for (qint64 i = 100000000000;; ++i) {
        const QString t = QStringLiteral("00") + QString::number(i);
        if (CriticaInscricao(t) == QLatin1String("0050"))
            return t;
    }
}

template <typename T>
T *em(QDialog &janela, const char *pagina, const char *nome)
{
    QWidget *p = janela.findChild<QWidget *>(QLatin1String(pagina));
    T *c = p ? p->findChild<T *>(QLatin1String(nome)) : nullptr;
    if (!c)
        qFatal("%s.%s not found", pagina, nome);
    return c;
}

void clica(QDialog &janela, const char *pagina, const char *botao) { em<QPushButton>(janela, pagina, botao)->click(); }

// Chooses the item of the establishment with `inscricao` and `prefixo`.
void escolhe(QDialog &janela, const char *pagina, const char *combo, const QString &inscricao,
             const QString &prefixo = QStringLiteral("00"))
{
    auto *c = em<QComboBox>(janela, pagina, combo);
    for (int i = 0; i < c->count(); ++i) {
        const QStringList k = c->itemData(i).toStringList();
        if (k.value(1) == inscricao && k.value(2) == prefixo)
            c->setCurrentIndex(i);
    }
}

// Ticks the items whose line contains `texto` (each toggled by a click on its text).
void marca(QListWidget *lista, const QString &texto, int vezes = -1)
{
    for (int i = 0; i < lista->count() && vezes != 0; ++i)
        if (lista->item(i)->text().contains(texto)) {
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(i)).center());
            --vezes;
        }
}

QString pagina(QDialog &janela) { return static_cast<TfmAssistente &>(janela).PaginaAtual()->objectName(); }

} // namespace

class tst_ufmAssistentesVinculos : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_programa = std::make_unique<ProgramaTeste>();
        m_lista = std::make_unique<TfmConEstab>();
        m_lista->EscolheTipoInscricao = [this] {
            ++m_escolhas;
            return m_tipoEscolhido;
        };
        m_escolhas = 0;
        m_caixas.boxes.clear();
        gravaEstab(kAno, kCnpj, "00", "ACME", {{"InVornNegEstabelecimento", "0"}, {"NuEstrangeirosEstabelec", "00000"}});
        gravaEstab(kAno, kCnpj, "01", "ACME FILIAL", {{"InVornNegEstabelecimento", "0"}});
        gravaVinculo(kAno, kCnpj, "00", "10000000001", "BETO", {{"NuSequencialRegistro", "000001"}});
        gravaVinculo(kAno, kCnpj, "00", "10000000001", "BETO", {{"NuSequencialRegistro", "000002"}});
        gravaVinculo(kAno, kCnpj, "00", "20000000002", kNomeLongo, {{"CoNacionalidade", "20"}});
        gravaVinculo(kAno, kCnpj, "00", "00000000000", "ZELIA SEM PIS");
        gravaVinculo(kAno, kCnpj, "01", "10000000001", "BETO", {{"CoVinculo", "10"}});
    }
    void cleanup()
    {
        m_lista.reset();
        m_programa.reset();
    }

    void exclusaoDeDoisMarcados();
    void voltarReconstroiALista();
    void transferenciaParaNovoDestino_data();
    void transferenciaParaNovoDestino();
    void transferenciaQueColidiria_data();
    void transferenciaQueColidiria();
    void alteraCodigoDeTodos();
    void recusas_data();
    void recusas();
    void marcarCustaOMesmoEmListaGrande();

private:
    // Shows the list, presses Alt+`tecla` and lets `roteiro` drive the wizard.
    void abre(Qt::Key tecla, ScriptedModal::Script roteiro)
    {
        ScriptedModal janelas;
        janelas.then(std::move(roteiro));
        m_lista->show();
        m_lista->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_lista.get()));
        QTest::keyClick(m_lista->mdInscricao, tecla, Qt::AltModifier);
        QTRY_COMPARE(janelas.shown.size(), 1);
        QVERIFY(janelas.active);
        QTRY_VERIFY(!m_lista->isVisible()); // the list closes after the wizard
    }
    bool ultima(const QString &codigo) const
    {
        return !m_caixas.boxes.isEmpty() && m_caixas.boxes.last().text.contains(textoMensagem(codigo));
    }

    std::unique_ptr<ProgramaTeste> m_programa;
    std::unique_ptr<TfmConEstab> m_lista;
    ScriptedPresenter m_caixas;
    int m_escolhas = 0;
    QString m_tipoEscolhido;
};

void tst_ufmAssistentesVinculos::exclusaoDeDoisMarcados()
{
    abre(Qt::Key_F4, [](QDialog &j) {
        clica(j, "fmExclMult00", "btAvancar");
        escolhe(j, "fmExclMult01", "cbEstabelecimentos", kCnpj);
        clica(j, "fmExclMult01", "btAvancar");
        QCOMPARE(em<QLineEdit>(j, "fmExclMult02", "edNomeEstabelecimento")->text(), QStringLiteral("ACME"));
        em<QRadioButton>(j, "fmExclMult02", "rbNome")->setChecked(true);
        clica(j, "fmExclMult02", "btAvancar");
        auto *lista = em<TListaMarcada>(j, "fmExclMult03", "clVinculos");
        QCOMPARE(lista->count(), 4);
        QCOMPARE(lista->item(2)->text().left(52), kNomeLongo);
        // The second of the two links of the same PIS and admission, and the 52-character name.
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(1)).center());
        marca(lista, kNomeLongo);
        clica(j, "fmExclMult03", "btAvancar");
        QCOMPARE(em<QLineEdit>(j, "fmExclMult04", "edTotalEmpregados")->text(), QStringLiteral("2"));
        clica(j, "fmExclMult04", "btConcluir");
    });
    QCOMPARE(m_caixas.boxes.last().text, QStringLiteral("2 Empregado(s) excluído(s) com sucesso."));
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT NuPrefixoEstabelecimento || NoEmpregado || NuSequencialRegistro FROM bd8vinc.bd8vinc "
                          "ORDER BY 1"));
    QStringList ficaram;
    while (q.next())
        ficaram << q.value(0).toString();
    QCOMPARE(ficaram, (QStringList{"00BETO000001", "00ZELIA SEM PIS", "01BETO"}));
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuVinculosEstabelecimento"), QStringLiteral("000002"));
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuEstrangeirosEstabelec"), QStringLiteral("00000"));
}

void tst_ufmAssistentesVinculos::voltarReconstroiALista()
{
    abre(Qt::Key_F4, [](QDialog &j) {
        clica(j, "fmExclMult00", "btAvancar");
        escolhe(j, "fmExclMult01", "cbEstabelecimentos", kCnpj);
        clica(j, "fmExclMult01", "btAvancar");
        clica(j, "fmExclMult02", "btAvancar");
        auto *lista = em<TListaMarcada>(j, "fmExclMult03", "clVinculos");
        QVERIFY(lista->item(0)->text().startsWith(QStringLiteral("000.00000"))); // by PIS/PASEP
        marca(lista, QStringLiteral("ZELIA"));
        clica(j, "fmExclMult03", "btVoltar");
        QCOMPARE(pagina(j), QStringLiteral("fmExclMult02"));
        em<QRadioButton>(j, "fmExclMult02", "rbNome")->setChecked(true);
        clica(j, "fmExclMult02", "btAvancar");
        QVERIFY(lista->item(0)->text().startsWith(QStringLiteral("BETO ")));
        QVERIFY(lista->item(3)->text().startsWith(QStringLiteral("ZELIA")));
        QCOMPARE(lista->marcados(), 0);
        clica(j, "fmExclMult03", "btCancelar");
    });
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj), 5);
}

void tst_ufmAssistentesVinculos::transferenciaParaNovoDestino_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("escolha");   // the chooser's answer
    QTest::addColumn<QString>("prefixo");
    QTest::addColumn<QString>("inscricao"); // as stored
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("escolhas");
    QTest::newRow("cei, empty prefix") << kCei.mid(2) << "" << "" << kCei << "3" << 0;
    QTest::newRow("cnpj, prefix 02") << "11444777000161" << "" << "02" << "11444777000161" << "1" << 0;
    const QString ambos = valeComoAmbos();
    QTest::newRow("both, chosen CEI") << ambos << "CEI" << "00" << ambos << "3" << 1;
    QTest::newRow("both, no choice") << ambos << "" << "00" << ambos << "1" << 1;
}

void tst_ufmAssistentesVinculos::transferenciaParaNovoDestino()
{
    QFETCH(QString, digitado);
    QFETCH(QString, escolha);
    QFETCH(QString, prefixo);
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(int, escolhas);
    m_tipoEscolhido = escolha;
    abre(Qt::Key_F3, [&](QDialog &j) {
        clica(j, "fmCopEstab00", "btAvancar");
        escolhe(j, "fmCopEstab01", "cbEstabelecimento", kCnpj);
        clica(j, "fmCopEstab01", "btAvancar");
        auto *lista = em<TListaMarcada>(j, "fmCopEstab02", "clVinculos");
        em<QRadioButton>(j, "fmCopEstab02", "rbSelecaoTodos")->click();
        marca(lista, QStringLiteral("ZELIA")); // unticked again
        QCOMPARE(lista->marcados(), 3);
        clica(j, "fmCopEstab02", "btAvancar");
        auto *inscr = em<MaskEdit>(j, "fmCopEstab03", "mdCGCCEI");
        auto *pref = em<QLineEdit>(j, "fmCopEstab03", "edPrefixo");
        QCOMPARE(em<QLineEdit>(j, "fmCopEstab03", "edTotalEmpregados")->text(), QStringLiteral("3"));
        inscr->setFocus();
        QTest::keyClicks(inscr, digitado);
        pref->setFocus();
        QTest::keyClicks(pref, prefixo);
        em<QPushButton>(j, "fmCopEstab03", "btConcluir")->setFocus();
        clica(j, "fmCopEstab03", "btConcluir");
    });
    QVERIFY2(ultima(QStringLiteral("1309")), qPrintable(m_caixas.boxes.isEmpty() ? QString() : m_caixas.boxes.last().text));
    QCOMPARE(m_escolhas, escolhas);
    const QString p = prefixo.isEmpty() ? QStringLiteral("00") : prefixo;
    const ChaveEstabelecimento destino{kAno, inscricao, p};
    QCOMPARE(CampoEstabelecimento(destino, QStringLiteral("InInscrEstabelecimento")).value_or("<none>"), tipo);
    QCOMPARE(*CampoEstabelecimento(destino, QStringLiteral("NoRazaoEstabelecimento")), QString());
    QCOMPARE(*CampoEstabelecimento(destino, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000003"));
    QCOMPARE(*CampoEstabelecimento(destino, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00001"));
    QCOMPARE(*CampoEstabelecimento(destino, QStringLiteral("InOpcaoAberta")), QString());
    // The destination's employee list (year, inscription, prefix, linked CEI and type) shows them.
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT count(*) FROM bd8vinc.bd8vinc WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ? "
                             "AND NuPrefixoEstabelecimento = ? AND CoCgcVinculado = '00000000000000' "
                             "AND InInscrEstabelecimento = ?"));
    for (const QString &v : {kAno, inscricao, p, tipo})
        q.addBindValue(v);
    q.exec();
    q.next();
    QCOMPARE(q.value(0).toInt(), 3);
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuVinculosEstabelecimento"), QStringLiteral("000001"));
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, "01"), 1);
}

void tst_ufmAssistentesVinculos::transferenciaQueColidiria_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("diferenca"); // how the second link is told apart in the message
    QTest::newRow("CEI vinculado") << "CoCgcVinculado" << "00000100000002" << "CEI vinculado 00000100000002";
    QTest::newRow("tipo") << "InInscrEstabelecimento" << "3" << "inscrição CEI";
}

// Two ticked links that differ only in what the transfer overwrites would become one key at the
// destination: the page refuses them, naming both, before anything is written, and stays open.
void tst_ufmAssistentesVinculos::transferenciaQueColidiria()
{
    QFETCH(QString, campo);
    QFETCH(QString, valor);
    QFETCH(QString, diferenca);
    gravaVinculo(kAno, kCnpj, "00", "30000000003", "CAIO", {{"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"}});
    QVariantMap outro{{"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"}};
    outro[campo] = valor;
    gravaVinculo(kAno, kCnpj, "00", "30000000003", "CAIO", outro);
    const int antes = contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, "00");
    abre(Qt::Key_F3, [&](QDialog &j) {
        clica(j, "fmCopEstab00", "btAvancar");
        escolhe(j, "fmCopEstab01", "cbEstabelecimento", kCnpj);
        clica(j, "fmCopEstab01", "btAvancar");
        auto *lista = em<TListaMarcada>(j, "fmCopEstab02", "clVinculos");
        marca(lista, QStringLiteral("CAIO"));
        marca(lista, QStringLiteral("ZELIA"));
        QCOMPARE(lista->marcados(), 3);
        m_caixas.boxes.clear();
        clica(j, "fmCopEstab02", "btAvancar");
        QCOMPARE(m_caixas.boxes.size(), 1);
        const QString texto = m_caixas.boxes.first().text;
        QCOMPARE(m_caixas.boxes.first().kind, MessageKind::Warning);
        QVERIFY2(texto.contains(QStringLiteral("CAIO (CEI vinculado 00000000000000, inscrição CNPJ)")), qPrintable(texto));
        QVERIFY2(texto.contains(diferenca), qPrintable(texto));
        QVERIFY(!texto.contains(QStringLiteral("ZELIA")));
        QCOMPARE(pagina(j), QStringLiteral("fmCopEstab02"));
        QVERIFY(lista->currentItem()->text().contains(QStringLiteral("CAIO")));
        // With one of them unticked the transfer goes on.
        lista->alterna(lista->currentItem());
        clica(j, "fmCopEstab02", "btAvancar");
        QCOMPARE(pagina(j), QStringLiteral("fmCopEstab03"));
        clica(j, "fmCopEstab03", "btCancelar");
    });
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, "00"), antes);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj), 2);
}

void tst_ufmAssistentesVinculos::alteraCodigoDeTodos()
{
    abre(Qt::Key_F5, [](QDialog &j) {
        clica(j, "fmAltVinculo00", "btAvancar");
        escolhe(j, "fmAltVinculo01", "cbSelecaoEstab", kCnpj);
        clica(j, "fmAltVinculo01", "btAvancar");
        QCOMPARE(em<QLineEdit>(j, "fmAltVinculo02", "EdMostraNome")->text(), QStringLiteral("ACME"));
        auto *codigos = em<QListWidget>(j, "fmAltVinculo02", "llVinculo");
        codigos->setCurrentItem(codigos->findItems(QStringLiteral("30"), Qt::MatchExactly).value(0));
        QVERIFY(em<QLineEdit>(j, "fmAltVinculo02", "dbcdDescrVinculo")->text().size() > 20);
        clica(j, "fmAltVinculo02", "btConcluir");
    });
    QVERIFY(ultima(QStringLiteral("1305")));
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT NuPrefixoEstabelecimento, CoVinculo, TxtVinculo = substr(t.NoVinculo, 1, 100), "
                          "count(*) FROM bd8vinc.bd8vinc v LEFT JOIN tabelas.tb8vinc t USING (CoVinculo) "
                          "GROUP BY 1, 2, 3 ORDER BY 1"));
    QStringList r;
    while (q.next())
        r << QStringLiteral("%1 %2 %3 %4").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                               q.value(3).toString());
    QCOMPARE(r, (QStringList{"00 30 1 4", "01 10 0 1"}));
}

void tst_ufmAssistentesVinculos::recusas_data()
{
    QTest::addColumn<QString>("cenario");
    QTest::addColumn<QString>("codigo"); // empty: no box at all
    for (const char *c : {"exclusao", "transferencia", "codigo"})
        QTest::newRow(qPrintable(QStringLiteral("1301 %1").arg(QLatin1String(c)))) << QStringLiteral("1301 ") + QLatin1String(c)
                                                                                  << "1301";
    QTest::newRow("1302 no links") << "1302" << "1302";
    QTest::newRow("0053 invalid inscription") << "0053" << "0053";
    QTest::newRow("1310 nothing ticked") << "1310" << "1310";
    QTest::newRow("1311 bad linked CEI") << "1311" << "1311";
    QTest::newRow("1308 destination is the source") << "1308 origem" << "1308";
    QTest::newRow("1308 destination stored") << "1308 outro" << "1308";
    QTest::newRow("1306 no code") << "1306" << "1306";
    QTest::newRow("1307 cnpj only, CEI code") << "1307 1" << "1307";
    QTest::newRow("1307 cei only, CNPJ code") << "1307 3" << "1307";
    QTest::newRow("1307 both, stored CEI") << "1307 ambos" << "1307";
    QTest::newRow("1304 links gone") << "1304" << "1304";
    QTest::newRow("code list left for cancel") << "cancelar" << "";
}

void tst_ufmAssistentesVinculos::recusas()
{
    QFETCH(QString, cenario);
    QFETCH(QString, codigo);
    const QString ambos = valeComoAmbos();
    gravaEstab(kAno, QStringLiteral("12222333000100"), "00", "INVALIDA", {{"InVornNegEstabelecimento", "0"}});
    gravaEstab(kAno, kCei, "00", "SO CEI", {{"InVornNegEstabelecimento", "0"}, {"InInscrEstabelecimento", "3"}});
    gravaEstab(kAno, ambos, "00", "AMBOS", {{"InVornNegEstabelecimento", "0"}, {"InInscrEstabelecimento", "3"}});
    gravaEstab(kAno, QStringLiteral("11444777000161"), "00", "SEM VINCULOS", {{"InVornNegEstabelecimento", "0"}});
    gravaEstab(kAno, QStringLiteral("11444777000161"), "05", "CEI RUIM",
               {{"InVornNegEstabelecimento", "0"}, {"CoCgcVinculado", "00000100000003"}});
    for (const QString &i : {QStringLiteral("12222333000100"), kCei, ambos, QStringLiteral("11444777000161")})
        gravaVinculo(kAno, i, "05", "30000000003", "X"); // under prefix 05, listed for "CEI RUIM" only
    for (const QString &i : {QStringLiteral("12222333000100"), kCei, ambos})
        gravaVinculo(kAno, i, "00", "30000000003", "X");
    const QStringList antes = [] {
        QSqlQuery q(database());
        q.exec(QStringLiteral("SELECT * FROM bd8vinc.bd8vinc ORDER BY rowid"));
        QStringList r;
        while (q.next())
            r << q.value(1).toString() + q.value(2).toString() + q.value(21).toString();
        return r;
    }();

    const bool exclusao = cenario == QLatin1String("1301 exclusao") || cenario == QLatin1String("1302") ||
                          cenario == QLatin1String("0053") || cenario == QLatin1String("1310");
    const bool transferencia = cenario.startsWith(QLatin1String("1308")) || cenario == QLatin1String("1311") ||
                               cenario == QLatin1String("1301 transferencia");
    const Qt::Key tecla = exclusao ? Qt::Key_F4 : transferencia ? Qt::Key_F3 : Qt::Key_F5;
    QString ficou; // the page the refusal leaves shown
    abre(tecla, [&](QDialog &j) {
        if (exclusao) {
            clica(j, "fmExclMult00", "btAvancar");
            const QString inscricao = cenario == QLatin1String("1302")   ? QStringLiteral("11444777000161")
                                      : cenario == QLatin1String("0053") ? QStringLiteral("12222333000100")
                                                                         : kCnpj;
            if (!cenario.startsWith(QLatin1String("1301")))
                escolhe(j, "fmExclMult01", "cbEstabelecimentos", inscricao);
            clica(j, "fmExclMult01", "btAvancar");
            if (cenario == QLatin1String("1310")) {
                clica(j, "fmExclMult02", "btAvancar");
                clica(j, "fmExclMult03", "btAvancar");
            }
        } else if (transferencia) {
            clica(j, "fmCopEstab00", "btAvancar");
            if (cenario == QLatin1String("1311"))
                escolhe(j, "fmCopEstab01", "cbEstabelecimento", QStringLiteral("11444777000161"), "05");
            else if (cenario != QLatin1String("1301 transferencia"))
                escolhe(j, "fmCopEstab01", "cbEstabelecimento", kCnpj);
            clica(j, "fmCopEstab01", "btAvancar");
            if (cenario.startsWith(QLatin1String("1308"))) {
                marca(em<TListaMarcada>(j, "fmCopEstab02", "clVinculos"), QStringLiteral("BETO"), 1);
                clica(j, "fmCopEstab02", "btAvancar");
                auto *inscr = em<MaskEdit>(j, "fmCopEstab03", "mdCGCCEI");
                inscr->setFocus();
                QTest::keyClicks(inscr, cenario.endsWith(QLatin1String("origem")) ? kCnpj : kCei.mid(2));
                em<QLineEdit>(j, "fmCopEstab03", "edPrefixo")->setFocus();
                clica(j, "fmCopEstab03", "btConcluir");
            }
        } else {
            clica(j, "fmAltVinculo00", "btAvancar");
            const QString inscricao = cenario == QLatin1String("1307 3")       ? kCei
                                      : cenario == QLatin1String("1307 ambos") ? ambos
                                                                               : kCnpj;
            if (cenario != QLatin1String("1301 codigo"))
                escolhe(j, "fmAltVinculo01", "cbSelecaoEstab", inscricao);
            clica(j, "fmAltVinculo01", "btAvancar");
            if (pagina(j) == QLatin1String("fmAltVinculo02")) {
                auto *codigos = em<QListWidget>(j, "fmAltVinculo02", "llVinculo");
                const QString cod = cenario == QLatin1String("1307 1") ? QStringLiteral("15") : QStringLiteral("10");
                if (cenario != QLatin1String("1306")) {
                    codigos->setFocus();
                    codigos->setCurrentItem(codigos->findItems(cod, Qt::MatchExactly).value(0));
                }
                if (cenario == QLatin1String("cancelar")) {
                    codigos->setCurrentItem(codigos->findItems(QStringLiteral("15"), Qt::MatchExactly).value(0));
                    em<QPushButton>(j, "fmAltVinculo02", "btCancelar")->setFocus();
                    clica(j, "fmAltVinculo02", "btCancelar");
                    return;
                }
                if (cenario == QLatin1String("1304"))
                    execSql(QStringLiteral("DELETE FROM bd8vinc.bd8vinc WHERE NuPrefixoEstabelecimento = '00'"));
                clica(j, "fmAltVinculo02", "btConcluir");
            }
        }
        ficou = pagina(j);
    });
    if (codigo.isEmpty()) {
        QCOMPARE(m_caixas.boxes.size(), 0);
        return;
    }
    QVERIFY2(ultima(codigo), qPrintable(m_caixas.boxes.isEmpty() ? QStringLiteral("no box") : m_caixas.boxes.last().text));
    QVERIFY(!ficou.endsWith(QLatin1String("00"))); // the page that refused stays
    if (cenario != QLatin1String("1304")) {
        QSqlQuery q(database());
        q.exec(QStringLiteral("SELECT * FROM bd8vinc.bd8vinc ORDER BY rowid"));
        QStringList depois;
        while (q.next())
            depois << q.value(1).toString() + q.value(2).toString() + q.value(21).toString();
        QCOMPARE(depois, antes);
    }
}

// Ticking lines one by one in the deletion wizard: on 60,000 links a tick costs what it costs on 600
// (the times are compared with those of moving the cursor on the same list, so the machine's speed
// cancels out).
void tst_ufmAssistentesVinculos::marcarCustaOMesmoEmListaGrande()
{
    // The time of `vezes` presses of `tecla` on the list, the best of five rounds.
    const auto mede = [](QListWidget *lista, Qt::Key tecla, int vezes) {
        qint64 melhor = std::numeric_limits<qint64>::max();
        for (int rodada = 0; rodada < 5; ++rodada) {
            lista->setCurrentRow(100 + rodada * vezes);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < vezes; ++i) {
                QTest::keyClick(lista, tecla);
                if (tecla == Qt::Key_Return)
                    QTest::keyClick(lista, Qt::Key_Down);
            }
            QCoreApplication::processEvents();
            melhor = std::min(melhor, t.nsecsElapsed());
        }
        return double(melhor);
    };
    QList<double> razoes;
    for (const int n : {600, 60000}) {
        execSql(QStringLiteral("DELETE FROM bd8vinc.bd8vinc"));
        execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                               "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                               "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, CoCgcVinculado, "
                               "InInscrEstabelecimento) "
                               "SELECT '2010', '%2', '00', printf('%011d', 30000000000 + x), '01022009', "
                               "'EMPREGADO ' || x, '00000000000000', '1' FROM n")
                    .arg(n)
                    .arg(kCnpj));
        if (!m_lista)
            m_lista = std::make_unique<TfmConEstab>();
        abre(Qt::Key_F4, [&](QDialog &j) {
            clica(j, "fmExclMult00", "btAvancar");
            escolhe(j, "fmExclMult01", "cbEstabelecimentos", kCnpj);
            clica(j, "fmExclMult01", "btAvancar");
            clica(j, "fmExclMult02", "btAvancar");
            auto *lista = em<TListaMarcada>(j, "fmExclMult03", "clVinculos");
            QCOMPARE(lista->count(), n);
            const double move = mede(lista, Qt::Key_Down, 40);
            const double marca = mede(lista, Qt::Key_Return, 40) - move;
            QCOMPARE(lista->marcados(), 200);
            razoes << marca / move;
            qDebug("%d linhas: mover %.0f us, marcar %.0f us", n, move / 40000, marca / 40000);
            clica(j, "fmExclMult03", "btCancelar");
        });
        m_lista.reset();
    }
    // A tick costs about a microsecond over a move of some tens, so the difference is mostly noise on a busy
    // machine (it can even come out below zero); a tick that lays out the whole list costs thousands of moves.
    QVERIFY2(razoes.at(1) < 10 * std::max(razoes.at(0), 1.0), qPrintable(QStringLiteral("%1 / %2").arg(razoes.at(1)).arg(razoes.at(0))));
}

QTEST_MAIN(tst_ufmAssistentesVinculos)
#include "tst_ufmAssistentesVinculos.moc"
