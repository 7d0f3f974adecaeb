#pragma once
// The establishment form: one row of BD8EMP (dmEntradaDados->ta8Empresa), opened by the new-declaration
// dialog for the row it has just stored (EstabelecimentoNovo) or by the establishment list for a stored
// one. Above the five tabs: inscription, company name, free-use text, declaration type, activity in the
// base year and closure; the tabs hold the address and contact (tCadastrais), the economic data
// (tEconomicas, tEconomicas2), the meal programme (tEconomicas3) and the union contributions (tSindicais).
//
// Opening (every showing): the edits emptied, the row found (missing: "1006", the form closes touching
// no row), a marker left by an interrupted operation reported and cleared (list only), the row loaded by
// an ordered list of named steps, InOpcaoAberta "0" while the form holds the row.
//
// Exit protocol: the toolkit's exit gate; each field's check runs when the field is left for a control
// that is not an exit button (BtOk, BtVinculos, BtCancelar, BtAjuda) and, unless said otherwise, when it
// is not blank. A failing check shows its code, brings its tab forward, refuses the next tab switch where
// the field's rule says so, focuses the field and stops with the silent abort.
//
// Saving (Ok, Vínculos): one ordered list of named checks (the first that stops ends the save), the
// declaration-type rule, the "1005" question for a declaration without employees that still has links,
// then one transaction: the links deleted (only on "Sim"), the counts, the row posted, and the links'
// CoCgcVinculado and InInscrEstabelecimento brought in line when either changed. An error in the save
// leaves row and links as they were.

#include "app/FormBinder.h"
#include "app/ugListas.h"
#include "entry/EntryForm.h"

#include <QList>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace gdvorn {

class MaskEdit;
class RadioGroup;

class TfmDadosEstab : public EntryForm {
    Q_OBJECT
public:
    explicit TfmDadosEstab(QWidget *parent = nullptr);
    ~TfmDadosEstab() override;

    // The row to open, set by the caller before showing the form.
    QString AnoEstab;
    QString InscricaoEstab; // 14 characters (a CEI as "00" + 12 digits)
    QString PrefixoEstab;
    bool EstabelecimentoNovo = false;

    // Read by the caller after a hand-over to the links: the new establishment was handed over.
    bool SemVinculos = false;

    // Hand-overs after a save of a declaration with employees. Without one the form just closes.
    // The employee list of the establishment.
    std::function<void(const ChaveEstabelecimento &)> MostraEmpregados;
    // The link form for a first link (the link context is filled by this form).
    std::function<void()> AbreNovoVinculo;

    // State.
    QString ContaVinculos;       // NuVinculosEstabelecimento as loaded, replaced by the counted value (6 digits)
    QString ContaEstrangeiros;   // NuEstrangeirosEstabelec likewise (5 digits when saved)
    QString CeiVinculadoAbertura; // CoCgcVinculado as loaded
    QString TipoInscricaoAbertura; // InInscrEstabelecimento as loaded ("1" or "3")
    QString NumeroPreparado;     // the street number zero-filled to 6, as last prepared by its check
    QString UltimoCodigo;        // the code of the last rule called

    // Methods shared by the sections.
    void CarregaEstabelecimento();
    // Runs the checks and stores the row; false when the declaration-type rule or the "1005" answer stops
    // it. A failing field check stops with the silent abort.
    bool GravaEstabelecimento();
    bool ExisteEstabelecimento();
    static QString NumeroSemZeros(const QString &texto, const QString &zeros);
    // The year banner: the base year, or the next one for a closing date in the next year.
    void MostraAnoBase(const QString &data);

    // Checks of the identification (above the tabs).
    void pInscricao();
    void ValidaCeiVinculado();
    void ValidaRazaoSocial();
    void ValidaUsoEstabelecimento();
    void ValidaEncerramento(bool naSaida);
    // Checks of the address tab.
    void ValidaLogradouro();
    void ValidaNumeroEndereco();
    void ValidaComplemento();
    void ValidaBairro();
    void ValidaCep();
    void ValidaMunicipio();
    void ValidaDDD(bool naSaida);
    void ValidaTelefone();
    void ValidaEmailEstab();

    // The ordered checks of the save: each has a name (the check's) and runs in the order added.
    struct CriticaGravacao {
        QString nome;
        std::function<void()> critica;
    };
    void AcrescentaCritica(const QString &nome, std::function<void()> critica);
    const QList<CriticaGravacao> &CriticasGravacao() const { return m_criticas; }

    // The ordered steps of CarregaEstabelecimento, each with a name: "Edicao" (row in edit state, marker
    // stored), "Inscricao", "Contagens", "Zeros", "Descricoes", "TipoDeclaracao", "PorteEPat",
    // "Encerramento", "NumerosSemZeros", "AbaSindical", "Final" (controls filled, focus on the street).
    // "Descricoes", "PorteEPat" and "AbaSindical" do nothing here: the other tabs add their steps after
    // them. AcrescentaPassoCarga inserts a step right after the step named `depoisDe` (at the end when
    // there is none of that name). The steps run with the click handlers of the radio groups silenced.
    struct PassoCarga {
        QString nome;
        std::function<void()> passo;
    };
    void AcrescentaPassoCarga(const QString &depoisDe, const QString &nome, std::function<void()> passo);
    const QList<PassoCarga> &PassosCarga() const { return m_passos; }

    void BtOkClick();
    void BtVinculosClick();
    void BtCancelarClick();
    // Every way the form closes: the row found again loses its marker; ta8Empresa closed.
    void done(int resultado) override;

    // Controls (object names as in the layout).
    QPushButton *BtOk = nullptr, *BtVinculos = nullptr, *BtCancelar = nullptr, *BtAjuda = nullptr;
    QWidget *paBotoes = nullptr;
    QLabel *paAnoBase = nullptr;
    QLineEdit *edTotalEmpreg = nullptr;
    EntryTabWidget *pcInformacoes = nullptr;
    QWidget *tCadastrais = nullptr, *tEconomicas = nullptr, *tEconomicas2 = nullptr, *tEconomicas3 = nullptr,
            *tSindicais = nullptr;
    // Identification.
    MaskEdit *deUsoEmpresa = nullptr;
    RadioGroup *dgTipoVorn = nullptr;
    MaskEdit *deRazao = nullptr;
    QCheckBox *cbEncerramento = nullptr;
    MaskEdit *deDataEncerramento = nullptr;
    QLabel *lbDataEncerramento = nullptr;
    RadioGroup *dgEmAtividade = nullptr;
    QLineEdit *edPrefixo = nullptr;
    MaskEdit *mdInscricao = nullptr;
    MaskEdit *meCeiVinc = nullptr;
    QLabel *lbCeiVinculado = nullptr;
    RadioGroup *dbrTipoInscr = nullptr;
    // Address.
    MaskEdit *deLogradouro = nullptr, *deNumero = nullptr, *deComplemento = nullptr, *deBairro = nullptr,
             *deCEP = nullptr, *deMunicipio = nullptr, *deNomeMunicipio = nullptr, *deSiglaUF = nullptr,
             *deDDD = nullptr, *deTelefone = nullptr, *deEmail = nullptr;
    QToolButton *sbCodMunicipio = nullptr;
    QLineEdit *InfCadDummy = nullptr;

    // economic, PAT and union tabs
    // Builds the controls of tEconomicas, tEconomicas2, tEconomicas3 and tSindicais (constructor, after
    // the other controls).
    void MontaAbasEconomicas();
    // The opening's steps of those tabs, after the row is loaded: the descriptions, the PAT panel, the
    // counts and percentages without leading zeros, the union edits opened or locked, the union values
    // shown (MostraValoresSindicais) and the Simples group set by the size (AjustaOptanteSimples).
    void AbreAbasEconomicas();
    // Appends the save's checks of those tabs to the ordered list (after the address checks).
    void AcrescentaCriticasEconomicas();
    // Writes the prepared values of those tabs into the row before it is posted.
    void PreparaGravacaoEconomicas();
    // Checks of tEconomicas and the size and Simples groups; `naSaida` shows the warnings given only when
    // the field is left.
    void ValidaCnae(bool naSaida);
    void ValidaNaturezaJuridica(bool naSaida);
    void ConfereOutrosPrefixos();
    void ValidaProprietarios();
    void ValidaDataBase();
    void ValidaPorte();
    void ValidaOptanteSimples();
    // By the size chosen: Simples open for sizes "1" and "2" (and none), set to "2" and locked for "3".
    void AjustaOptanteSimples();
    // Checks of the meal programme (PAT).
    void ValidaParticipaPAT();
    void ValidaPATMaior5();
    void ValidaPATMenor5();
    void ValidaQtdPAT(bool naSaida);
    void ValidaServicoProprio(bool naSaida);
    void ValidaAdmCozinha(bool naSaida);
    void ValidaRefeicaoTransportadora(bool naSaida);
    void ValidaRefeicaoConvenio(bool naSaida);
    void ValidaCestaAlimento(bool naSaida);
    void ValidaAlimentacaoConvenio(bool naSaida);
    void ValidaPercentuaisPAT(bool naSaida);
    // Checks of the union contributions.
    void ValidaCentralizada();
    void ValidaCnpjSindicalEstab();
    void ValidaValorGlobalSindical();
    void ValidaSindicalizada();
    void ValidaCnpjAssociativaEstab();
    void ValidaValorGlobalAssociativa();
    void ValidaValorGlobalAssistencial();
    void ValidaValorGlobalConfederativa();
    void ValidaCnpjAssistencialEstab();
    void ValidaCnpjConfederativaEstab();
    void ValidaCnpjCentralizada();
    void AvisaContribuicaoAusente();
    // The entity questions, asked when a CNPJ edit is left: No focuses the edit and stops.
    void ConfereEntidadeSindicalEstab();
    void ConfereEntidadeAssociativaEstab();
    void ConfereEntidadeAssistencialEstab();
    void ConfereEntidadeConfederativaEstab();
    // The four stored union values shown in their edits.
    void MostraValoresSindicais();

    // Values the checks prepare for the save: the PAT counts zero-filled to 6, the six percentages to 3.
    QString PatMaior5Preparado, PatMenor5Preparado;
    QStringList PercentuaisPreparados;

    MaskEdit *deCNAE = nullptr, *deNatJuridica = nullptr, *deProprietarios = nullptr, *deDataBase = nullptr;
    QToolButton *sbCNAE = nullptr, *sbNatJuridica = nullptr;
    QLineEdit *edTxCNAE = nullptr, *edTxNatJuridica = nullptr;
    RadioGroup *dgPorte = nullptr, *dgOptanteSimples = nullptr, *dgPat = nullptr;
    QWidget *dgPATParent = nullptr, *paPAT = nullptr;
    QLineEdit *tabDummy = nullptr, *Dummy = nullptr, *tabDummy2 = nullptr;
    MaskEdit *dePATVincMaior5 = nullptr, *dePATVincMenor5 = nullptr;
    MaskEdit *deServProprio = nullptr, *deAdmCozinha = nullptr, *deRefeicaoTransportadora = nullptr,
             *deRefeicaoConvenio = nullptr, *deCestaAlimento = nullptr, *deAlimentacaoConvenio = nullptr;
    RadioGroup *dbrCentralizada = nullptr, *dbrSindicato = nullptr;
    MaskEdit *dbeCNPJCentralizada = nullptr, *deSindical = nullptr, *deAssociativa = nullptr,
             *deAssistencial = nullptr, *deConfederativa = nullptr;
    // Money edits (MoneyEdit): the form fills and reads them itself.
    QLineEdit *deValorSindical = nullptr, *deValorAssociativa = nullptr, *deValorAssistencial = nullptr,
              *deValorConfederativa = nullptr;

    // The tabs' own pieces.
    void ligaSaidasEconomicas();
    void ligaSaidasSindicais();
    // The button of dgPat to focus after a failing PAT check: `preferido` ("1" or "2") when selected, else
    // the other one; tEconomicas2 becomes the current tab.
    QWidget *respostaPat(const QString &preferido);
    void validaPercentual(int indice, MaskEdit *edit, bool naSaida);
    void validaValorSindical(QLineEdit *valor, MaskEdit *cnpj);
    void validaCnpjEntidade(MaskEdit *edit, const QString &tipo, bool vedadoPrimeiro);
    void confereEntidade(int tipo, MaskEdit *edit, bool bloqueiaAba);
    // What entering a group does; also run by the handlers that move the focus into it.
    void entraPorte();
    void entraPat();
    void entraCentralizada();
    void saiCentralizada();
    void saiSindicato();
    void saiPat();
    void travaAssociativa(bool travada);
    void travaSindical(bool travado);
    bool m_ajustandoEconomicas = false; // the tabs' own code is setting a group: no click handler runs
    // end of economic, PAT and union tabs

protected:
    void showEvent(QShowEvent *event) override;

private:
    void criaControles();
    void ligaSaidas();
    void montaCriticas();
    void montaPassosCarga();
    void FormShow();

    // Row access: a field of ta8Empresa, trimmed; writing one shows it in its bound control.
    QString campo(const QString &nome) const;
    void gravaCampo(const QString &nome, const QString &valor);
    // A rule's code other than "0000": the failing-check pattern.
    void erro(const QString &codigo, QWidget *foco, bool bloqueiaAba = true);
    // The exit handler of `controle`: `critica` runs behind the gate, only when the control is not
    // blank unless `tambemVazio`.
    void saida(QLineEdit *controle, std::function<void()> critica, bool tambemVazio = false);
    MaskEdit *criaEdit(QWidget *pai, const char *nome, const QString &nomeCampo, int ajuda, bool maiusculas = false);

    // Identification handlers.
    void mostraInscricao();
    void travaCeiVinculado(bool travado);
    void tipoInscricaoClick();
    void tipoVornClick(const QString &valor);
    void encerramentoClick();
    void mostraCeiVinculado();
    // Ok and Vínculos: save, then hand over or close.
    void salvaESegue(bool vinculos);
    bool semEmpregados();

    FormBinder m_binder;
    QList<CriticaGravacao> m_criticas;
    QList<PassoCarga> m_passos;
    bool m_aberto = false;     // the row was found at opening
    bool m_carregando = false; // the opening is showing the row: no click handler runs
};

} // namespace gdvorn
