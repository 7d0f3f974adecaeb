#pragma once
// The employment-link form: one row of bd8vinc (dmEntradaDados->ta8Empreg) of the establishment that is
// the current row of ta8Empresa, in seven tabs. The caller fills the link context below and shows the
// form modally; an empty PisVinculo opens a new link, any other the stored link of that 11-field key.
//
// Opening (every showing): edits emptied, AnoEfetivo set (AnoBaseVinculo + 1 when EncerradoAnoSeguinte;
// the program's base year when AnoBaseVinculo is not a number), the establishment and the link found
// (either missing: a box says so and the form closes, touching no row), the fields shown, the money edits
// filled (MostraValor), the controls opened or locked by cause, age, link type, membership and termination
// values, the focus on the PIS (new link) or the name (stored link).
//
// Exit protocol: each validated field has one exit handler, a check of the toolkit's exit gate whose
// condition holds its gates (PodeValidar; the forward-only tab gates; SaiuParaAbas on the pay tab); the
// handler runs the field's validator when the field is not empty. A validator that fails shows the
// rule's code, brings the field's tab forward, refuses the next tab switch, puts the focus where the
// check says and stops with the silent abort. Validators marked interactive take `interativo`: the exit
// passes true, the save false (warnings and exit-only checks are skipped then).
//
// Cancel: without a PIS the row is dropped at once; with one the user is asked first (No: back to the
// name). The establishment's links are counted again and SemVinculos tells the caller whether any is
// left.
//
// Ok (GravaVinculo): every check again in a fixed order (the leaves' dates, the hours of every month and
// a complete work-place code included), the cross-link checks ("3761" warns, "1671" refuses), the
// pay-period rules, then the stored forms and the post of the link together with the establishment's
// counts in one transaction (ugDadosEmpreg). A stopped save leaves the form open, every money edit in
// display form, nothing stored; a refused key ("1059") too. Excluir and the permit dialogue delete the
// link and recount in one transaction; only a plain Yes deletes.

#include "app/FormBinder.h"
#include "app/ugListas.h"
#include "entry/EntryForm.h"

#include <QHash>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace gdvorn {

class MaskEdit;
class MoneyEdit;
class RadioGroup;
enum class CorTrava;

// The link context, filled by the caller before showing the form.
extern QString AnoBaseVinculo;       // AnBase of the establishment
extern QString InscricaoVinculo;     // CoCgcCeiEstabelecimento, 14 characters (a CEI as "00" + 12 digits)
extern QString PrefixoVinculo;       // NuPrefixoEstabelecimento
extern QString TipoInscricaoVinculo; // "1" CNPJ, "3" CEI
extern QString RazaoSocialVinculo;   // for the caption
extern QString CeiVinculado;         // CoCgcVinculado of the establishment
extern bool EncerradoAnoSeguinte;    // the establishment ended its activity in the year after the base year
extern QString PisVinculo;           // the link to open; empty: a new link
extern QString AdmissaoVinculo;      // DDMMYYYY
extern QString NomeEmpregadoVinculo;
extern QString DesligamentoVinculo;  // DDMM
extern QString CboVinculo;
// Values the checks keep between them.
extern QString NascimentoVinculo;
extern QString AlvaraAtual;
extern QString TipoVinculoAtual;

class TfmDadosEmpreg : public EntryForm {
    Q_OBJECT
public:
    explicit TfmDadosEmpreg(QWidget *parent = nullptr);
    ~TfmDadosEmpreg() override;

    // State of the open link.
    QString ModoEdicao; // "A" a stored link, "I" a new one
    QString PisAbertura, PisConsultado;
    QString PisOriginal, AdmissaoOriginal, DesligamentoOriginal, CboOriginal;
    bool AvisoSalarioMostrado = false;
    int AnoEfetivo = 0;
    int QtdVinculos = 0;
    int QtdEstrangeiros = 0;
    // Left by the cancel: the establishment has no link (the establishment form's SemVinculos).
    bool SemVinculos = false;
    // Set by the employee list that shows the form: takes back the typed PIS when the user declines to
    // copy the personal data of another link with it, before the row is cancelled and the form closes.
    std::function<void(const QString &pis)> DevolvePisLista;
    // For the hours checks.
    int MesDesligamento = 0;
    QString MesAnoAdmissao;
    QString AnoEncerramento;

    void FormShow();
    void CarregaVinculo();
    // "3" no other link with this PIS in the base year; "2" the user took its personal data; "1" declined.
    QString BuscaDadosPis();
    void ContaVinculos();
    void PreparaDatasHoras();

    // Exit gates.
    bool PodeValidar() const { return PodeCriticar(); }
    bool SaiuParaAbas() const { return FocoForaDasAbas(); }
    bool AvancouDadosPessoais(const QString &deixado) const;
    bool AvancouAdmissao(const QString &deixado) const;
    bool AvancouVinculo(const QString &deixado) const;
    bool AvancouAfastamento(const QString &deixado) const;

    // Validators.
    void ValidaPis();
    void ValidaNomeEmpregado();
    void ValidaNascimento(bool interativo);
    void ValidaRaca();
    void ValidaSexo(bool interativo);
    void ValidaNacionalidade(bool interativo);
    void ValidaAnoChegada();
    void ValidaInstrucao();
    void ValidaCarteiraTrabalho();
    void ValidaCpf();
    void ValidaUsoEmpresa();
    void ValidaAdmissao(bool interativo);
    void ValidaTipoAdmissao();
    void ValidaSalarioContratual();
    void ValidaHorasSemanais();
    void ValidaTipoSalario(bool interativo);
    void ValidaCbo(bool interativo);
    void ValidaTipoVinculo(bool interativo);
    void ValidaDataDesligamento();
    void ValidaCausaDesligamento();
    void ValidaAvisoPrevio();
    void ValidaValorSindical(bool interativo);
    void ValidaValorPrimeiraAssociativa();
    void ValidaValorSegundaAssociativa();
    void ValidaValorAssistencial();
    void ValidaValorConfederativa();
    void ValidaMesAdiantamento(bool interativo);
    void ValidaValorAdiantamento(bool interativo);
    void ValidaMesParcelaFinal(bool interativo);
    void ValidaValorParcelaFinal(bool interativo);
    void ValidaValorFerias();
    void ValidaValorMultas();
    void ValidaValorBancoHoras();
    void ValidaValorDissidio();
    void ValidaValorGratificacoes();
    // Monthly pay.
    void ValidaRemuneracaoMes(const QString &valor, const QString &mes, const QString &segundoValor);
    bool ValidaValorMes(const QString &valor, const QString &mes, const QString &segundoValor);
    void ValidaMesesRemuneracao();

    // Personal data and admission.
    void ValidaTipoDeficiencia();
    void ValidaSerieCarteira();
    void ValidaSalarioVinculo();
    // Link type, work permit, work place.
    void ValidaAlvara();
    void ExcluiVinculoSemAlvara();
    void ValidaVinculoHoras();
    // `gravando`: the save refuses a code that is not 7 digits, which the exit passes over.
    void ValidaMunicipioTrabalho(bool gravando = false);
    // Dismissal, notice pay, termination payments.
    void ClassificaDesligamento(const QString &causa);
    void ZeraAvisoPrevio();
    void ZeraVerbasRescisao();
    void DesabilitaVerbasRescisao();
    void MostraAnoDesligamento();
    void ValidaBancoHoras();
    void ValidaDissidio();
    void ValidaGratificacoes();
    bool AvisoPrevioIndenizado = false;
    // The values the permit question was last asked with.
    QString NascimentoAtual, AdmissaoAtual;
    bool VerbasHabilitadas = false;
    // Leaves.
    void ValidaMotivoPrimeiroAfastamento(bool aviso);
    void ValidaMotivoSegundoAfastamento();
    void ValidaMotivoTerceiroAfastamento();
    void ValidaInicioPrimeiroAfastamento();
    void ValidaInicioSegundoAfastamento();
    void ValidaInicioTerceiroAfastamento();
    void ValidaFimPrimeiroAfastamento();
    void ValidaFimSegundoAfastamento();
    void ValidaFimTerceiroAfastamento();
    void ValidaAfastamentos();
    void ValidaDiasAfastamento();
    // Unions.
    void ValidaCnpjSindical();
    void ValidaCnpjPrimeiraAssociativa();
    void ValidaCnpjSegundaAssociativa();
    void ValidaCnpjAssistencial();
    void ValidaCnpjConfederativa();
    void ConfereEntidadeSindical();
    void ConfereEntidadeAssociativa(bool segunda);
    void ConfereEntidadeAssistencial();
    void ConfereEntidadeConfederativa();
    void ValidaSindicalizado();
    void ConfereSegundaAssociativa();
    // Hours of month `mes` (1-12): the numeric, pay and month checks; on exit (`naSaida`) also the
    // question on more hours than the month allows.
    void ValidaHorasMes(int mes, bool naSaida);

    // Saving and deleting.
    void GravaVinculo();
    void ExcluiVinculo();
    void ConfereDadosPis();
    void VerificaDuplicidade();
    bool ConfereDecimoTerceiro();
    void TrataErroBanco(const std::exception &erro);

    void BtOkClick();
    void BtExcluirClick();
    void BtCancelarClick();
    // Ends the showing; a row still in edit or insert state is cancelled and ta8Empreg closed.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Saida {
        std::function<bool()> portao;
        std::function<void()> acao;
    };
    void criaControles();
    void ligaSaidas();
    void ligaSeletores();
    // The exit handler of `campo`: `portao` holds its gates, `validador` runs when the field is not empty.
    void saida(QWidget *campo, std::function<bool()> portao, std::function<void()> validador,
               std::function<void()> vazio = {});
    // The exit handler of `campo` that runs `acao` whatever the field holds.
    void sempre(QWidget *campo, std::function<bool()> portao, std::function<void()> acao);
    void executaSaida(QWidget *campo);
    void seletor(QToolButton *botao, const std::function<void()> &mostra, QWidget *campo, QWidget *aba,
                 const std::function<QWidget *()> &foco);

    QString campo(const QString &nome) const;
    void gravaCampo(const QString &nome, const QString &valor);
    void erro(const QString &codigo, QWidget *foco);
    void aviso(const QString &codigo, QWidget *aba = nullptr);
    // The money steps: the stored form (`largura` digits) of the edit's text, or a stop with "0040"/"0315".
    QString passosValor(MoneyEdit *edit, int largura, QString &formatado);
    void erroValor(const QString &codigo, MoneyEdit *edit, const QString &formatado, QWidget *foco = nullptr);
    void validaValorEntidade(MoneyEdit *edit, QLineEdit *cnpj, const QString &campoCnpj, const QString &tipo,
                             const QString &vinculo, bool interativo);
    void validaVerba(MoneyEdit *edit);
    void mes13NaSaida(const QString &mes, const QString &codigo, const QString &nomeCampo, QLineEdit *nome);
    void valor13(MoneyEdit *edit, const QString &campoMes, QString (*numerico)(const QString &),
                 QString (*regra)(const QString &, const QString &), bool interativo);
    void descricao(const QString &tabela, const QString &chave, const QString &campoNome, QLineEdit *destino,
                   const QString &campoTxt = QString(), int corte = 100);
    void leDadosRemuneracao();
    QString rotuloMes(int mes) const;
    // Section handlers.
    void saidaPis();
    void passosDeficiencia();
    void passosInstrucao();
    void saidaAlvara();
    void saidaCausaDesligamento();
    void saidaDataDesligamento();
    void saidaAvisoPrevio();
    bool perguntaAvisoIndenizado();
    void saidaCompetencia(MaskEdit *meses, void (TfmDadosEmpreg::*item)());
    void validaItemVerba(QString (*regra)(const QString &, const QString &), MoneyEdit *valor, MaskEdit *meses,
                         const QString &codigoItem);
    void motivoAfastamento(int n, bool aviso);
    void inicioAfastamento(int n);
    void fimAfastamento(int n);
    void falhaAfastamento(const QString &codigo, QWidget *foco);
    void validaCnpjEntidade(MaskEdit *edit, const QString &nomeCampo, const QString &tipo, bool segunda);
    void confereEntidade(MaskEdit *edit, const QString &nomeCampo, bool sindical);
    void passosSindicalizado();
    void travaAssociacao(bool primeira, bool segunda, bool travado, CorTrava cor);
    void saidaDezembro();
    void saidaParcelaFinal();
    void entraGrupo(QWidget *grupo);
    QString pergunta(const QString &codigo);
    // The 14 pay edits shown again from their stored texts (a stopped save leaves display texts).
    void mostraValoresPagamento();
    QList<QLineEdit *> controlesVerbas() const;
    static Table &vinculo();
    static Table &empresa();
    static ChaveEstabelecimento chaveEstab();
    bool eventFilter(QObject *objeto, QEvent *event) override;
    bool m_anoPorTras = false;       // the dismissal year was entered backwards (Shift+Tab)
    bool m_armadilhaPorTab = false;  // a tab trap was entered by Tab

    FormBinder m_binder;
    QHash<QWidget *, Saida> m_saidas;

    // Controls (object names as in the layout).
    QPushButton *BtOk = nullptr, *BtExcluir = nullptr, *BtCancelar = nullptr, *BtAjuda = nullptr;
    EntryTabWidget *pcEmpregados = nullptr;
    QWidget *tDadosPessoais = nullptr, *tAdmissao = nullptr, *tVinculo = nullptr, *tAfastamento = nullptr,
            *tSindicais = nullptr, *tRemuneracoes = nullptr, *tVerbas = nullptr;
    MaskEdit *dePisPasep, *deNomeEmpregado, *deNascimento, *deRaca, *deDeficiente, *deNacionalidade,
        *deAnoChegada, *deInstrucao, *deCarteiraTrab, *deCarteiraTrabSerie, *deCPF, *deUsoEmpregado;
    QLineEdit *edTxRaca, *edTxDeficiente, *edTxNacionalidade, *edTxInstrucao;
    QToolButton *sbRaca, *sbDeficiente, *sbNacionalidade, *sbInstrucao;
    RadioGroup *dgDeficiencia;
    QComboBox *cbSexo;
    MaskEdit *deAdmissao, *deTipoAdmissao, *deHoras, *deTipoSalContratual, *deCBO;
    MoneyEdit *edSalario;
    QLineEdit *edTxAdmissao, *edTxSalContratual, *edTxCBO, *tabInnerAd;
    QToolButton *sbAdmissao, *sbSalarioContratual, *sbCBO;
    MaskEdit *deVinculo, *deCodDeslig, *deDataDeslig, *deMunicipioTrabalho;
    QLineEdit *deAnoDeslig, *edTxVinculo, *edTxDesligamento, *deNomeMunicipioTrabalho, *deSiglaUFTrabalho,
        *tabInnerVinc;
    RadioGroup *dgAlvara;
    MoneyEdit *edAvisoPrevio;
    QToolButton *sbVinculo, *sbDesligamento, *bbCodMunicipio;
    MaskEdit *dePrimCod, *deSegCod, *deTerCod, *dePrimInicio, *deSegInicio, *deTerInicio, *dePrimFinal,
        *deSegFinal, *deTerFinal, *deAfastQtDias;
    QLineEdit *edTxPrimAfast, *edTxSegAfas, *EdTxTerAfas;
    QToolButton *sbPrimAfastamento, *sbSegAfastamento, *sbTerAfastamento;
    MaskEdit *deCNPJSindical, *deCNPJPrimeiroAssociativa, *deCNPJSegundoAssociativa, *deCNPJAssistencial,
        *deCNPJConfederativa;
    MoneyEdit *deValorSindical, *devalorPrimeiroAssociativa, *deValorSegundoAssociativa, *deValorAssistencial,
        *deValorConfederativa;
    RadioGroup *dbrSindicalizado;
    QLabel *lbAssociativa;
    MoneyEdit *edMes[12];
    MaskEdit *deHorasMes[12];
    MaskEdit *deMesAdiantamento, *deMesParcelaFinal;
    QLineEdit *edTxAdiantamento, *edTxParcelaFinal;
    QToolButton *sbMesAdiantamento, *sbMesParcelaFinal;
    MoneyEdit *edAdiantamento, *edParcelaFinal;
    MoneyEdit *deValorGlobalFerias, *deValorGlobalMultas, *deValorGlobalBcoHoras, *deValorGlobalDissidio,
        *deValorGlobalGratificacoes;
    MaskEdit *deCompetenciaHoras, *deCompetenciaDissidio, *deCompetenciaGratificacoes;
};

} // namespace gdvorn
