#pragma once
// What the three bulk link wizards (multiple deletion, transfer, link-code change) share on their pages:
// the base-year panel, the establishment drop-down whose items keep their establishment's key as
// stored, the check list of links whose items keep their link's key, the memo of hints, and the run of
// an operation on a page's progress bar with its cancel.
//
// The establishment list opens the wizards (Alt+F3 transfer, Alt+F4 deletion, Alt+F5 code change)
// through AbreAssistenteVinculos.

#include "app/ufmAssistente.h"
#include "entry/ugOperacoesVinculos.h"

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class Progresso;

// The base year as text.
QString AnoBaseAssistente();

// "Informações do Ano-Base " + base year.
QLabel *PainelAnoBase(QWidget *pai);
// A read-only memo holding `linhas`.
QPlainTextEdit *MemoDicas(QWidget *pai, const char *nome, const QStringList &linhas);
// A drop-down list (choice only) whose hint always shows its current text.
QComboBox *ComboEstabelecimentos(QWidget *pai, const char *nome);
// The year's establishments whose declaration has employees, each with its key as item data; no choice.
void CarregaEstabelecimentosChave(QComboBox *combo, const QString &ano);
// The chosen establishment: false when none is chosen.
bool EstabelecimentoEscolhido(const QComboBox *combo, ChaveEstabelecimento &chave);
// The check list of the links of one establishment, fixed-pitch; it scrolls sideways as far as its
// longest line reaches.
TListaMarcada *ListaVinculosMarcada(QWidget *pai, const char *nome);
// The establishment's links into the list (nothing ticked), each with its key as item data.
void CarregaVinculosChave(TListaMarcada *lista, const ChaveEstabelecimento &estab, const QString &ordem);
// The keys of the ticked items, in list order.
QList<ChaveVinculo> VinculosMarcados(const TListaMarcada *lista);
// The ticked keys into `destino` for the next page; "1310" and false when none is ticked.
bool PassaMarcados(const TListaMarcada *lista, QList<ChaveVinculo> &destino);

// The notice of an operation left open on the establishment, the marker cleared; the first pages call it when an establishment is chosen.
void AvisaOperacaoAbertaEstab(const ChaveEstabelecimento &estab);
// The group "Estabelecimento selecionado " with three read-only boxes named `nomes` (inscription, prefix,
// name) and their captions.
QGroupBox *GrupoEstabelecimento(QWidget *pai, const char *const nomes[3], const QStringList &legendas,
                                QLineEdit *&inscricao, QLineEdit *&prefixo, QLineEdit *&nome);
// A line of `combo`'s chosen item: characters 1-18 trimmed (the inscription as listed), the prefix and
// the name.
QString InscricaoListada(const QString &linha);
QString NomeListado(const QString &linha);

// The first pages' "Avançar": an establishment chosen ("1301"), its inscription of an accepted class
// ("0050", "0051", "0052"; with `aceitaCpf` an 11-digit number is judged as a CPF and "0056" passes;
// the class code is shown otherwise), the notice of an operation left open on it (before the class is
// judged when `avisaAntes`), the `extra` check, then links to work on ("1302"). Returns the class, or
// an empty text after a message (the page stays).
struct RegrasEscolha {
    bool aceitaCpf = false;
    bool avisaAntes = false;
    std::function<bool(const ChaveEstabelecimento &)> extra;
};
QString ConfereEstabelecimento(QComboBox *combo, ChaveEstabelecimento &estab, const RegrasEscolha &regras = {});

// The page that chooses the establishment, one for the three wizards: the instructions (a wrapped label
// above the base-year panel, or a memo "meInstrucoes" below it), the drop-down of the year's
// establishments with employees (loaded, nothing chosen, each time the page is shown) and "Voltar",
// "Avançar", "Cancelar". "Avançar" takes the choice through ConfereEstabelecimento with the wizard's
// rules, hands the establishment, its class and the chosen line to `escolhido`, then shows Seguinte.
class TPaginaEscolhaEstab : public TPaginaAssistente {
    Q_OBJECT
public:
    struct Textos {
        QString rotulo;          // the label's text; empty for a memo
        QStringList instrucoes;  // the memo's lines
        QString voltar, avancar; // the captions of "Voltar" and "Avançar"
    };
    using Escolhido = std::function<void(const ChaveEstabelecimento &estab, const QString &classe, const QString &linha)>;
    TPaginaEscolhaEstab(const char *nomeObjeto, const char *nomeCombo, const Textos &textos, RegrasEscolha regras,
                        Escolhido escolhido);
    void aoMostrar() override;
    QComboBox *cbEstabelecimento = nullptr;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Anterior = nullptr;
    TPaginaAssistente *Seguinte = nullptr;

private:
    void Avancar();
    RegrasEscolha m_regras;
    Escolhido m_escolhido;
};

// A wrapped label and a read-only box of the pages.
QLabel *RotuloAssistente(QWidget *pai, const QString &texto);
QLineEdit *CaixaSoLeitura(QWidget *pai, const char *nome);

// Sets a flag for as long as it lives (the pages' guard against checks started by their own focus moves).
class Sinalizando {
public:
    explicit Sinalizando(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Sinalizando() { m_flag = false; }
    Sinalizando(const Sinalizando &) = delete;
    Sinalizando &operator=(const Sinalizando &) = delete;

private:
    bool &m_flag;
};

// An operation run on a page's progress bar: `executa` gets the bar's progress; while it runs the
// page's cancel (its button, Esc, closing the window) requests a cancel, which the operation confirms.
class ExecucaoComBarra {
public:
    explicit ExecucaoComBarra(QProgressBar *barra) : m_barra(barra) {}
    bool emCurso() const { return m_progresso != nullptr; }
    void cancela();
    std::optional<int> executa(const std::function<std::optional<int>(Progresso &)> &operacao);

private:
    QProgressBar *m_barra;
    Progresso *m_progresso = nullptr;
};

// The last page of the transfer and of the deletion: the total of the ticked links, the progress bar
// the operation runs on, and "Voltar" (which forgets the ticked links), "&Concluir" and "C&ancelar".
class TPaginaConclusaoVinculos : public TPaginaAssistente {
    Q_OBJECT
public:
    using TPaginaAssistente::TPaginaAssistente;
    // Cancels the running operation; otherwise forgets the ticked links and ends the wizard.
    void aoCancelar() override;
    QLineEdit *edTotalEmpregados = nullptr;
    QPushButton *btVoltar = nullptr, *btConcluir = nullptr, *btCancelar = nullptr;
    QList<ChaveVinculo> Marcados;

protected:
    // Adds to the body the total's caption and box, the hidden bar named `nomeBarra` and a stretch, then
    // creates the three buttons ("Voltar" captioned `legendaVoltar`); returns the bar.
    QProgressBar *montaConclusao(const QString &legendaTotal, const char *nomeBarra, const QString &legendaVoltar);
    // The shown step's common part: the total, the bar hidden, "&Concluir" the default button.
    void mostraConclusao();
    // The page "Voltar" goes back to.
    virtual TPaginaAssistente *paginaAnterior() const = 0;
    // "&Concluir": runs the operation.
    virtual void Concluir() = 0;
    ExecucaoComBarra m_execucao{nullptr};

private:
    QProgressBar *m_barra = nullptr;
};

// The bulk wizards the establishment list opens.
enum class AssistenteVinculos { Transferencia, Exclusao, CodigoVinculo };
// The chooser of the inscription type ("CNPJ", "CEI", anything else none) for the transfer's destination.
using EscolhaTipoInscricao = std::function<QString()>;
std::unique_ptr<TfmAssistente> CriaAssistenteVinculos(AssistenteVinculos qual, QWidget *parent,
                                                      EscolhaTipoInscricao escolha = {});

} // namespace gdvorn
