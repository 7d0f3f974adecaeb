#include "entry/ufmNovaDecl.h"

#include "app/QtModal.h"
#include "app/base/Abort.h"
#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ufmGDVORN.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmSemEmpregados.h"
#include "rules/ugRegrasAtividade.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasInscricao.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace gdvorn {

QString TipoInscricaoEscolhido;

namespace {

const QString kMascaraDigitos = QStringLiteral("99999999999999;0;_");
const QString kMascaraCNPJ = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
const QString kMascaraCEI = QStringLiteral("99999\\.99999\\-99;0;_");
const QString kMascaraCeiVinculado = QStringLiteral("99\\.999\\.999\\.999\\-9;0;_");

const QString kOk = QStringLiteral("0000");

Table &linha() { return dmEntradaDados->ta8Empresa; }
Field campo(const char *nome) { return linha().FieldByName(QLatin1String(nome)); }

// The values a new row is stored with (the dialog's own fields aside).
const QList<QPair<const char *, const char *>> &padroes()
{
    static const QList<QPair<const char *, const char *>> lista{
        {"NuEnderecoEstabelecimento", "000000"}, {"CoCepEstabelecimento", "00000000"},
        {"CoMunicipio", "0000000"},              {"CoNaturezaJuridica", "0000"},
        {"NuProprietEstabelecimento", "00"},     {"MeDataBase", "00"},
        {"NuVinculosEstabelecimento", "000000"}, {"NuEstrangeirosEstabelec", "00000"},
        {"InEncerramentoAtividade", "2"},        {"InOpcaoAberta", "0"},
        {"VaGlobalSindical", "000000000"},       {"VaGlobalAssociativa", "000000000"},
        {"VaGlobalAssistencial", "000000000"},   {"VaGlobalConfederativa", "000000000"}};
    return lista;
}

// Fields emptied by the store of a new row.
const char *const kVazios[] = {
    "EdEstabelecimento",     "TxComplemEstabelecimento", "NoBairroEstabelecimento", "NoMunicEstabelecimento",
    "SgUf",                  "CoCnae2",                  "NuDDD",                   "NuTelefone",
    "DaEncerramentoAtividade", "InPorte",                "InParticipaPAT",          "NuVinculoPatMaior5",
    "NuVinculoPatMenor5",    "PoServicoProprio",         "PoAdmCozinha",            "PoRefeicaoConvenio",
    "PoRefeicaoTransportadora", "PoCestaAlimento",       "PoAlimentacaoConvenio",   "CoCNPJSindical",
    "CoCNPJAssociativa",     "CoCNPJAssistencial",       "CoCNPJConfederativa"};

// Fields copied from a stored establishment of the same inscription, in the order they are copied.
const char *const kCopiados[] = {
    "InVornNegEstabelecimento", "CoCgcVinculado",        "NoRazaoEstabelecimento",  "TxUsoEstabelecimento",
    "EdEstabelecimento",        "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento",
    "CoCepEstabelecimento",     "CoMunicipio",           "NoMunicEstabelecimento",  "SgUf",
    "TxEmailEstabelecimento",   "CoCnae2",               "CoNaturezaJuridica",      "NuProprietEstabelecimento",
    "MeDataBase",               "NuDDD",                 "NuTelefone",              "InOptanteSimples",
    "InEncerramentoAtividade",  "DaEncerramentoAtividade", "InPorte",               "InParticipaPAT",
    "NuVinculoPatMaior5",       "NuVinculoPatMenor5",    "PoServicoProprio",        "PoAdmCozinha",
    "PoRefeicaoConvenio",       "PoRefeicaoTransportadora", "PoCestaAlimento",      "PoAlimentacaoConvenio",
    "InCentralizada",           "InSindicalizada",       "CoCNPJSindical",          "CoCNPJAssociativa",
    "CoCNPJAssistencial",       "CoCNPJConfederativa"};

} // namespace

TfmNovaDecl::TfmNovaDecl(QWidget *parent) : EntryForm(parent), m_binder(&dmEntradaDados->ta8Empresa)
{
    setObjectName(QStringLiteral("fmNovaDecl"));
    setWindowTitle(QStringLiteral("GDVorn - Nova Declaração"));

    auto *externo = new QGroupBox(QStringLiteral("Informações Iniciais do Estabelecimento"), this);
    auto *grade = new QGridLayout(externo);
    lbAnoBase = new QLabel(externo);
    lbAnoBase->setObjectName(QStringLiteral("lbAnoBase"));
    grade->addWidget(lbAnoBase, 0, 0, 1, 4);

    auto *grupoInscricao = new QGroupBox(QStringLiteral("Inscrição"), externo);
    auto *gi = new QGridLayout(grupoInscricao);
    dbrTipoInscr = new RadioGroup(QStringLiteral("Tipo"), grupoInscricao);
    dbrTipoInscr->setObjectName(QStringLiteral("dbrTipoInscr"));
    dbrTipoInscr->adiciona(QStringLiteral("rbTipoCNPJ"), QStringLiteral("CNPJ"), QStringLiteral("1"));
    dbrTipoInscr->adiciona(QStringLiteral("rbTipoCEI"), QStringLiteral("CEI"), QStringLiteral("3"));
    deInscricao = new MaskEdit(grupoInscricao);
    deInscricao->setObjectName(QStringLiteral("deInscricao"));
    dePrefixo = new QLineEdit(grupoInscricao);
    dePrefixo->setObjectName(QStringLiteral("dePrefixo"));
    MaiusculasAoDigitar(dePrefixo);
    deCeiVinc = new MaskEdit(grupoInscricao);
    deCeiVinc->setObjectName(QStringLiteral("deCeiVinc"));
    lbCeiVinc = new QLabel(QStringLiteral("CEI Vinculado"), grupoInscricao);
    gi->addWidget(dbrTipoInscr, 0, 0, 2, 1);
    gi->addWidget(new QLabel(QStringLiteral("Número"), grupoInscricao), 0, 1);
    gi->addWidget(deInscricao, 1, 1);
    gi->addWidget(new QLabel(QStringLiteral("Prefixo"), grupoInscricao), 0, 2);
    gi->addWidget(dePrefixo, 1, 2);
    gi->addWidget(lbCeiVinc, 0, 3);
    gi->addWidget(deCeiVinc, 1, 3);
    grade->addWidget(grupoInscricao, 1, 0, 1, 4);

    grade->addWidget(new QLabel(QStringLiteral("Razão Social "), externo), 2, 0);
    deRazao = new QLineEdit(externo);
    deRazao->setObjectName(QStringLiteral("deRazao"));
    MaiusculasAoDigitar(deRazao);
    grade->addWidget(deRazao, 2, 1, 1, 3);

    auto *uso = new QGroupBox(QStringLiteral("Para uso da empresa "), externo);
    auto *lu = new QHBoxLayout(uso);
    lu->addWidget(new QLabel(QStringLiteral("Identificação para uso exclusivo da empresa"), uso));
    deUsoEmpresa = new QLineEdit(uso);
    deUsoEmpresa->setObjectName(QStringLiteral("deUsoEmpresa"));
    MaiusculasAoDigitar(deUsoEmpresa);
    lu->addWidget(deUsoEmpresa);
    grade->addWidget(uso, 3, 0, 1, 4);

    dgTipoVorn = new RadioGroup(QStringLiteral("Tipo de Declaração"), externo);
    dgTipoVorn->setObjectName(QStringLiteral("dgTipoVorn"));
    dgTipoVorn->adiciona(QStringLiteral("rbComEmpregados"), QStringLiteral("Com Empregados"), QStringLiteral("0"));
    dgTipoVorn->adiciona(QStringLiteral("rbSemEmpregados"), QStringLiteral("Sem Empregados"), QStringLiteral("1"));
    grade->addWidget(dgTipoVorn, 4, 0, 1, 2);
    dgEmAtividade = new RadioGroup(QStringLiteral("Estabelecimento/entidade exerceu atividade no ano-base?"), externo);
    dgEmAtividade->setObjectName(QStringLiteral("dgEmAtividade"));
    dgEmAtividade->adiciona(QStringLiteral("rbAtividadeSim"), QStringLiteral("Sim"), QStringLiteral("1"));
    dgEmAtividade->adiciona(QStringLiteral("rbAtividadeNao"), QStringLiteral("Não"), QStringLiteral("2"));
    grade->addWidget(dgEmAtividade, 4, 2, 1, 2);

    btOk = new QPushButton(QStringLiteral("&Ok"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    BtCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BtCancelar->setObjectName(QStringLiteral("BtCancelar"));
    for (QPushButton *b : {btOk, BtCancelar})
        b->setAutoDefault(false);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk);
    botoes->addWidget(BtCancelar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(externo);
    layout->addLayout(botoes);

    setContextoAjuda(dbrTipoInscr, 115);
    setContextoAjuda(deInscricao, 28);
    setContextoAjuda(dePrefixo, 29);
    setContextoAjuda(deCeiVinc, 30);
    setContextoAjuda(deRazao, 117);
    setContextoAjuda(deUsoEmpresa, 32);
    setContextoAjuda(dgTipoVorn, 27);
    setContextoAjuda(dgEmAtividade, 171);

    m_binder.liga(dbrTipoInscr, QStringLiteral("InInscrEstabelecimento"));
    m_binder.liga(deInscricao, QStringLiteral("CoCgcCeiEstabelecimento"));
    m_binder.liga(dePrefixo, QStringLiteral("NuPrefixoEstabelecimento"));
    m_binder.liga(deCeiVinc, QStringLiteral("CoCgcVinculado"));
    m_binder.liga(deRazao, QStringLiteral("NoRazaoEstabelecimento"));
    m_binder.liga(deUsoEmpresa, QStringLiteral("TxUsoEstabelecimento"));
    m_binder.liga(dgTipoVorn, QStringLiteral("InVornNegEstabelecimento"));
    m_binder.liga(dgEmAtividade, QStringLiteral("InAtividadeAnoBase"));

    // The exit gate: leaving for Cancel or for the declaration type checks nothing.
    QList<QAbstractButton *> saidas{BtCancelar};
    for (QRadioButton *b : dgTipoVorn->botoes())
        saidas << b;
    setBotaoCancelar(BtCancelar);
    setBotoesSaida(saidas);

    aoEntrar(deInscricao, [this] {
        deInscricao->setMascara(kMascaraDigitos);
        exigeTipo();
    });
    // The inscription's own exit asks only about Cancel.
    aoSair(deInscricao, [this] {
        if (QApplication::focusWidget() == BtCancelar || inscricao().isEmpty())
            return;
        criticaInscricao();
    }, false);
    aoSair(dePrefixo, [this] { criticaPrefixo(true); });
    aoEntrar(deCeiVinc, [this] {
        deCeiVinc->setMascara(QStringLiteral("999999999999;0;_"));
        if (SoZeros(campo("CoCgcVinculado").AsString()) && !campo("CoCgcVinculado").AsString().isEmpty())
            deCeiVinc->mostraArmazenado(QString());
        deCeiVinc->setReadOnly(false);
    });
    aoSair(deCeiVinc, [this] {
        if (deCeiVinc->textoArmazenado().trimmed().isEmpty())
            return;
        criticaCeiVinculado();
        deRazao->setFocus();
    });
    aoSair(deRazao, [this] { criticaRazao(); });
    aoSair(deUsoEmpresa, [this] { criticaUsoEmpresa(); });
    connect(dgTipoVorn, &RadioGroup::valorAlterado, this,
            [this](const QString &valor) { Protege([&] { tipoVornMudou(valor); }); });
    connect(btOk, &QPushButton::clicked, this, Protegido([this] { BtOkClick(); }));
    connect(BtCancelar, &QPushButton::clicked, this, Protegido([this] { BtCancelarClick(); }));
    resize(720, 400);
}

TfmNovaDecl::~TfmNovaDecl() = default;

void TfmNovaDecl::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    if (!event->spontaneous())
        Protege([this] { FormShow(); });
}

void TfmNovaDecl::FormShow()
{
    LimpaEdits(this);
    Table &t = linha();
    if (!t.Active())
        t.Open();
    if (t.State() == DataSetState::Browse)
        t.Append();
    reiniciaCeiVinculado();
    m_ano = QString::number(Configuracao().AnoBase);
    campo("AnBase").setAsString(m_ano);
    lbAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + m_ano);
    campo("InVornNegEstabelecimento").setAsString(QStringLiteral("0"));
    campo("CoCgcVinculado").setAsString(QString());
    deInscricao->setMascara(QString());
    campo("InAtividadeAnoBase").setAsString(QStringLiteral("1"));
    m_binder.carrega();
    dgEmAtividade->setEnabled(false);
    dbrTipoInscr->botoes().first()->setFocus();
}

QString TfmNovaDecl::inscricao() const { return deInscricao->textoArmazenado().trimmed(); }

QString TfmNovaDecl::formaCritica() const
{
    const QString i = inscricao();
    return i.size() == 12 ? QStringLiteral("00") + i : i;
}

void TfmNovaDecl::exigeTipo()
{
    if (dbrTipoInscr->valor().isEmpty())
        falha(QStringLiteral("0050"), dbrTipoInscr->botoes().first());
}

void TfmNovaDecl::reiniciaCeiVinculado()
{
    deCeiVinc->setEnabled(false);
    deCeiVinc->mostraArmazenado(QString());
    Trava(deCeiVinc, true, CorTrava::Menu);
    if (linha().State() != DataSetState::Browse && linha().Active())
        campo("CoCgcVinculado").setAsString(QString());
    lbCeiVinc->setEnabled(false);
}

void TfmNovaDecl::liberaCeiVinculado()
{
    deCeiVinc->setEnabled(true);
    Trava(deCeiVinc, false);
    lbCeiVinc->setEnabled(true);
}

void TfmNovaDecl::criticaInscricao()
{
    exigeTipo();
    const QString tipo = dbrTipoInscr->valor();
    const QString codigo = CriticaInscricaoPorTipo(formaCritica(), tipo);
    if (codigo != kOk)
        falha(codigo, dbrTipoInscr);
    const QString classe = CriticaInscricao(formaCritica());
    const qsizetype digitos = inscricao().size();
    const QString mascaraDoTipo = tipo == QLatin1String("1") ? kMascaraCNPJ : kMascaraCEI;
    if (classe == QLatin1String("0051")) {
        if (digitos != 14) {
            reiniciaCeiVinculado();
            falha(QStringLiteral("1003"), deInscricao);
        }
        liberaCeiVinculado();
        deInscricao->setMascara(kMascaraCNPJ);
    } else if (classe == QLatin1String("0052")) {
        reiniciaCeiVinculado();
        if (digitos != 12)
            falha(QStringLiteral("1004"), deInscricao);
        deInscricao->setMascara(kMascaraCEI);
    } else if (classe == QLatin1String("0050")) {
        if (digitos == 14) {
            liberaCeiVinculado();
            deInscricao->setMascara(mascaraDoTipo);
        } else if (digitos == 12) {
            reiniciaCeiVinculado();
            deInscricao->setMascara(mascaraDoTipo);
        }
    } else {
        reiniciaCeiVinculado();
        falha(classe, deInscricao);
    }
}

void TfmNovaDecl::criticaTipoDeclaracao()
{
    QString codigo = CriticaInscricaoPorTipo(formaCritica(), dbrTipoInscr->valor());
    if (codigo != kOk)
        falha(codigo, deInscricao);
    codigo = CriticaIndicadorNegativa(campo("InVornNegEstabelecimento").AsString(),
                                      campo("InInscrEstabelecimento").AsString(),
                                      QStringLiteral("00") + campo("CoCgcVinculado").AsString());
    if (codigo != kOk)
        falha(codigo, dgTipoVorn);
}

void TfmNovaDecl::criticaPrefixo(bool comDuplicidade)
{
    if (dePrefixo->text().trimmed().isEmpty()) {
        dePrefixo->setText(QStringLiteral("00"));
        campo("NuPrefixoEstabelecimento").setAsString(QStringLiteral("00"));
    }
    const QString codigo = CriticaPrefixo(dePrefixo->text());
    if (codigo != kOk)
        falha(codigo, dePrefixo);
    if (comDuplicidade)
        DuplicidadeEstab(inscricao(), dePrefixo->text().trimmed());
}

namespace {

// The row of the same year, inscription and prefix, when there is one: its type, or a null text.
QString tipoDaChave(const QString &ano, const QString &inscricao, const QString &prefixo)
{
    Query &q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.setSql(QStringList{
        QStringLiteral("select AnBase,CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento,InInscrEstabelecimento,CoCgcVinculado"),
        QStringLiteral("from BD8Emp"), QStringLiteral("where AnBase = :sAnoBase and"),
        QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and"),
        QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo")});
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), ano);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("CoCgcCeiEstabelecimento"), inscricao);
    q.ParamByName(QStringLiteral("sPrefixo")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("NuPrefixoEstabelecimento"), prefixo);
    q.Open();
    QString tipo;
    if (!q.IsEmpty())
        tipo = q.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString() + QLatin1Char('|');
    q.Close();
    return tipo;
}

} // namespace

void TfmNovaDecl::DuplicidadeEstab(const QString &inscricaoDigitada, const QString &prefixo)
{
    if (inscricaoDigitada.isEmpty() || prefixo.isEmpty())
        return;
    const QString chave = inscricaoDigitada.size() == 12 ? QStringLiteral("00") + inscricaoDigitada : inscricaoDigitada;
    const QString tipo = dbrTipoInscr->valor();
    const QString classe = CriticaInscricao(formaCritica());
    const QString ocupada = tipoDaChave(m_ano, chave, prefixo);
    if (!ocupada.isNull()) {
        if (ocupada.chopped(1) == tipo)
            falha(QStringLiteral("1000"), dePrefixo);
        if (classe == QLatin1String("0050"))
            falha(QStringLiteral("1009"), dePrefixo);
        dePrefixo->setFocus();
        Abort();
    }

    Query &q = dmEntradaDados->quValidaEstab;
    q.setSql(QStringList{QStringLiteral("select *"), QStringLiteral("from BD8Emp"),
                         QStringLiteral("where AnBase = :sAnoBase and"),
                         QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao")});
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), m_ano);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("CoCgcCeiEstabelecimento"), chave);
    q.Open();
    if (q.IsEmpty()) {
        q.Close();
        return;
    }
    Configuracao().EstabelecimentoExistente = true;
    if (q.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString() != tipo) {
        q.Close();
        if (classe != QLatin1String("0050"))
            falha(QStringLiteral("1003"), dePrefixo);
        return;
    }
    const bool completo = MostraMensagem(QStringLiteral("1001")) != QLatin1String("mrNo");
    copiaEstabelecimento(completo);
    q.Close();
    // The copy is judged as OK judges a new row, then stored and handed over.
    exigeTipo();
    criticaInscricao();
    criticaTipoDeclaracao();
    criticaCeiVinculado();
    criticaUsoEmpresa();
    gravaCurto();
    entregaEstabelecimento();
}

void TfmNovaDecl::copiaEstabelecimento(bool completo)
{
    Query &q = dmEntradaDados->quValidaEstab;
    auto copia = [&](const char *nome) {
        campo(nome).setAsString(q.FieldByName(QLatin1String(nome)).AsString());
    };
    if (completo) {
        for (const char *nome : kCopiados)
            copia(nome);
        campo("NuVinculosEstabelecimento").setAsString(QStringLiteral("000000"));
        campo("NuEstrangeirosEstabelec").setAsString(QStringLiteral("00000"));
        campo("InOpcaoAberta").setAsString(QStringLiteral("0"));
    } else {
        for (const char *nome : {"NoRazaoEstabelecimento", "CoCnae2", "CoNaturezaJuridica"})
            copia(nome);
    }
    campo("CoCgcCeiEstabelecimento").setAsString(CompletaZeros(inscricao(), 14));
    m_binder.carrega();
    tipoVornMudou(dgTipoVorn->valor());
}

void TfmNovaDecl::gravaCurto()
{
    campo("CoCgcCeiEstabelecimento").setAsString(CompletaZeros(inscricao(), 14));
    // What the copy left empty gets the values of a new row.
    for (const auto &[nome, valor] : padroes())
        if (campo(nome).AsString().trimmed().isEmpty())
            campo(nome).setAsString(QLatin1String(valor));
    if (campo("CoCgcVinculado").AsString().trimmed().isEmpty())
        campo("CoCgcVinculado").setAsString(Zeros(14));
    posta();
}

bool TfmNovaDecl::GravaNovoEstab()
{
    campo("CoCgcCeiEstabelecimento").setAsString(CompletaZeros(inscricao(), 14));
    campo("CoCgcVinculado").setAsString(CompletaZeros(campo("CoCgcVinculado").AsString().trimmed(), 14));
    for (const auto &[nome, valor] : padroes())
        campo(nome).setAsString(QLatin1String(valor));
    for (const char *nome : kVazios)
        campo(nome).setAsString(QString());
    posta();
    return true;
}

void TfmNovaDecl::posta()
{
    try {
        linha().Post();
    } catch (const KeyViolation &) {
        // Another row took the key meanwhile: refused as the prefix check refuses it, nothing stored.
        MostraMensagem(QStringLiteral("1000"));
        dePrefixo->setFocus();
        Abort();
    }
    linha().Close();
}

void TfmNovaDecl::entregaEstabelecimento()
{
    const QString inscricaoGravada = CompletaZeros(inscricao(), 14);
    const QString prefixo = dePrefixo->text().trimmed();
    hide();
    if (AbreEstabelecimento)
        AbreEstabelecimento(m_ano, inscricaoGravada, prefixo);
    accept();
}

void TfmNovaDecl::criticaCeiVinculado()
{
    const QString valor = deCeiVinc->textoArmazenado().trimmed();
    if (valor.isEmpty() || SoZeros(valor)) {
        deCeiVinc->mostraArmazenado(QString());
        campo("CoCgcVinculado").setAsString(QString());
        return;
    }
    const QString cei = valor.size() != 14 ? QStringLiteral("00") + valor : valor;
    QString codigo = CriticaCeiVinculado(cei);
    if (codigo == kOk)
        codigo = CriticaCnpjVinculado(campo("InInscrEstabelecimento").AsString(), campo("CoCgcVinculado").AsString());
    if (codigo != kOk)
        falha(codigo, deCeiVinc);
    deCeiVinc->setMascara(kMascaraCeiVinculado);
    codigo = CriticaIndicadorNegativa(campo("InVornNegEstabelecimento").AsString(),
                                      campo("InInscrEstabelecimento").AsString(), cei);
    if (codigo != kOk)
        falha(codigo, dgTipoVorn);
}

void TfmNovaDecl::criticaRazao()
{
    QString nome = deRazao->text();
    if (!nome.trimmed().isEmpty()) {
        const QString codigo = CriticaRazaoSocial(nome, inscricao(), dbrTipoInscr->valor());
        if (codigo != kOk)
            falha(codigo, codigo == QLatin1String("0053") ? static_cast<QWidget *>(deInscricao) : deRazao);
        deRazao->setText(nome);
        campo("NoRazaoEstabelecimento").setAsString(nome);
    }
    MostraMensagem(QStringLiteral("3625"));
    deUsoEmpresa->setFocus();
}

void TfmNovaDecl::criticaUsoEmpresa()
{
    const QString codigo = CriticaUsoEmpresa(deUsoEmpresa->text());
    if (codigo != kOk)
        falha(codigo, deUsoEmpresa);
}

void TfmNovaDecl::tipoVornMudou(const QString &valor)
{
    const bool semEmpregados = valor == QLatin1String("1");
    dgEmAtividade->setEnabled(semEmpregados);
    if (!semEmpregados || !isVisible())
        return;
    TfmSemEmpregados dica(this);
    if (dica.DeveMostrar())
        ExecutaModal(dica);
}

void TfmNovaDecl::BtOkClick()
{
    exigeTipo();
    criticaInscricao();
    criticaTipoDeclaracao();
    criticaPrefixo(false);
    // A taken key is refused here, before the store: the engine would refuse it anyway.
    const QString ocupada = tipoDaChave(m_ano, CompletaZeros(inscricao(), 14), dePrefixo->text().trimmed());
    if (!ocupada.isNull()) {
        const bool ambos = CriticaInscricao(formaCritica()) == QLatin1String("0050");
        falha(ocupada.chopped(1) != dbrTipoInscr->valor() && ambos ? QStringLiteral("1009") : QStringLiteral("1000"),
              dePrefixo);
    }
    criticaCeiVinculado();
    QString nome = deRazao->text();
    const QString codigo = CriticaRazaoSocial(nome, inscricao(), dbrTipoInscr->valor());
    if (codigo != kOk)
        falha(codigo, codigo == QLatin1String("0053") ? static_cast<QWidget *>(deInscricao) : deRazao);
    campo("NoRazaoEstabelecimento").setAsString(nome);
    criticaUsoEmpresa();
    GravaNovoEstab();
    entregaEstabelecimento();
}

void TfmNovaDecl::BtCancelarClick()
{
    if (linha().Active()) {
        if (linha().State() != DataSetState::Browse)
            linha().Cancel();
        linha().Close();
    }
    reject();
}

// ---- the inscription-type chooser ----

TfmTipoInscricao::TfmTipoInscricao(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmTipoInscricao"));
    setWindowTitle(QStringLiteral("Tipo de Inscrição"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Identifique o tipo de Inscrição declarado na quadrícula abaixo."), this));
    auto *grupo = new QGroupBox(QStringLiteral("Inscrição"), this);
    auto *lg = new QVBoxLayout(grupo);
    rbCGC = new QRadioButton(QStringLiteral("Inscrição no CGC"), grupo);
    rbCGC->setObjectName(QStringLiteral("rbCGC"));
    rbCEI = new QRadioButton(QStringLiteral("Matrícula CEI"), grupo);
    rbCEI->setObjectName(QStringLiteral("rbCEI"));
    rbCNPJ = new QRadioButton(QStringLiteral("Inscrição no CNPJ"), grupo);
    rbCNPJ->setObjectName(QStringLiteral("rbCNPJ"));
    for (QRadioButton *b : {rbCGC, rbCEI, rbCNPJ})
        lg->addWidget(b);
    layout->addWidget(grupo);
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    layout->addWidget(BtOk, 0, Qt::AlignRight);
    connect(rbCGC, &QRadioButton::clicked, this, [] { TipoInscricaoEscolhido = QStringLiteral("CNPJ"); });
    connect(rbCNPJ, &QRadioButton::clicked, this, [] { TipoInscricaoEscolhido = QStringLiteral("CNPJ"); });
    connect(rbCEI, &QRadioButton::clicked, this, [] { TipoInscricaoEscolhido = QStringLiteral("CEI"); });
    connect(BtOk, &QPushButton::clicked, this, [this] {
        if (TipoInscricaoEscolhido != QLatin1String("CEI") && TipoInscricaoEscolhido != QLatin1String("CNPJ"))
            TipoInscricaoEscolhido = QStringLiteral("CNPJ");
        accept();
    });
}

void TfmTipoInscricao::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (QRadioButton *b : {rbCGC, rbCEI, rbCNPJ}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
    rbCGC->setFocus();
}

void NovaDeclaracao()
{
    TfmNovaDecl dialogo;
    ExecutaModal(dialogo);
    if (dmEntradaDados)
        dmEntradaDados->ta8Empresa.Close();
}

void RegistraNovaDeclaracao()
{
    RegistraJanela(QStringLiteral("Nova1"), [](QWidget *) { NovaDeclaracao(); });
}

} // namespace gdvorn
