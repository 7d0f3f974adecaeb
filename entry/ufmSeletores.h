#pragma once
// The code-table pickers: modal lists and trees of the installed code tables (dmGDVorn), each entry the
// code, "  - " and the description, in the table's key order. A pick writes the code into a field of the
// record being edited and closes the picker; the calling form then checks that field. Closing the picker
// with its close box writes nothing.
//
// TfmSeletorLista is the one list picker, configured per table (TfmTb8Instr ... TfmTb8Deficiente write the
// link row dmEntradaDados->ta8Empreg, which the link form keeps in edit state while a picker is open).
// TfmSeletorArvore is the one tree picker with a search box: groups are the short codes, leaves the codes
// that can be picked. The search walks every entry (collapsed groups too) forward or backward from the
// selected one, without wrapping, comparing with accents folded and in capitals (ugPesquisa).
//
// Keys: a list picker opens with its current entry selected (the first one when none was), so Enter picks
// at once. In a tree picker a search that finds an entry gives the tree the focus; letters typed there
// start a new search text in the search box (the tree's own type-ahead is not used), so Enter then searches
// again instead of picking the entry found before.

#include "app/base/Field.h"

#include <QDialog>
#include <QList>
#include <QIcon>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace gdvorn {

class Table;

// The selectors the link form sets before showing the months and the leave pickers.
extern bool MesAdiantamento;   // true: Me13AdiantamentoEmpregado; false: Me13ParcelaFinalEmpregado
extern int NumeroAfastamento;  // 1, 2, 3: CoMotivoPrimAfas, CoMotivoSeguAfas, CoMotivoTercAfas

// The separator between code and description in every entry.
inline const QString kSeparadorCodigo = QStringLiteral("  - ");

struct ConfigLista {
    QString nome;            // object name of the picker
    QString legenda;
    QString arvore;          // object name of the tree
    Table *fonte = nullptr;  // nullptr: the entries are fixed (the months)
    QString campoCodigo, campoDescricao;
    int caracteres = 2;      // characters of the entry that make the code
    QString destino;         // field of the link row written by the pick
    bool cliqueSimples = false;
    bool imagem = true;
    QSize tamanho{425, 252};
};

class TfmSeletorLista : public QDialog {
    Q_OBJECT
public:
    TfmSeletorLista(const ConfigLista &config, QWidget *parent = nullptr);
    // The pick: reads the selected entry, writes its code and closes. Nothing without a selected entry.
    virtual void SelecionaCodigo();

    QTreeWidget *arvore = nullptr;
    QList<QIcon> ilImagens;

protected:
    // Writes `codigo` into the target; false when nothing may be written (the dialog then stays open).
    virtual bool escreve(const QString &codigo);
    void adicionaEntrada(const QString &texto);
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    ConfigLista m_config;
};

class TfmTb8Instr : public TfmSeletorLista { public: explicit TfmTb8Instr(QWidget *parent = nullptr); };
class TfmTp8adm : public TfmSeletorLista { public: explicit TfmTp8adm(QWidget *parent = nullptr); };
class TfmTb8TpSal : public TfmSeletorLista { public: explicit TfmTb8TpSal(QWidget *parent = nullptr); };
class TfmTb8Vinc : public TfmSeletorLista { public: explicit TfmTb8Vinc(QWidget *parent = nullptr); };
class TfmTb8Desl : public TfmSeletorLista { public: explicit TfmTb8Desl(QWidget *parent = nullptr); };
class TfmTb8Raca : public TfmSeletorLista { public: explicit TfmTb8Raca(QWidget *parent = nullptr); };

class TfmTb8Nacio : public TfmSeletorLista {
public:
    explicit TfmTb8Nacio(QWidget *parent = nullptr);
protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override; // a double click on the dialog picks too
};

class TfmMesesAno : public TfmSeletorLista {
public:
    explicit TfmMesesAno(QWidget *parent = nullptr);
    void SelecionaCodigo() override; // closes also without a selected entry
protected:
    bool escreve(const QString &codigo) override;
};

class TfmTb8Afast : public TfmSeletorLista {
public:
    explicit TfmTb8Afast(QWidget *parent = nullptr);
protected:
    bool escreve(const QString &codigo) override;
};

class TfmTb8Deficiente : public TfmSeletorLista {
public:
    explicit TfmTb8Deficiente(QWidget *parent = nullptr);
    QLineEdit *edTxDeficiente = nullptr; // the link form's description edit, set by the caller
protected:
    bool escreve(const QString &codigo) override;
};

// ---- tree pickers ----

enum class EnterNaArvore { Seleciona, SelecionaEExpande, SelecionaEExpandeNivel };

struct ConfigArvore {
    QString nome, legenda, arvore;
    Table *fonte = nullptr;
    QString campoCodigo, campoDescricao;
    QList<int> gruposPorNivel; // code length of the groups of each level (2, 3, 4 for occupations)
    int caracteres = 7;
    EnterNaArvore enter = EnterNaArvore::Seleciona;
    bool ordenada = false;
    QSize tamanho{681, 252};
};

class TfmSeletorArvore : public QDialog {
    Q_OBJECT
public:
    TfmSeletorArvore(const ConfigArvore &config, QWidget *parent = nullptr);

    // The pick: only a leaf; writes its code and closes.
    void SelecionaCodigo();
    // The entry found, or nullptr; a found entry is made visible (its groups expand).
    QTreeWidgetItem *LocalizaProximo(QTreeWidget *arvore, const QString &texto);
    QTreeWidgetItem *LocalizaAnterior(QTreeWidget *arvore, const QString &texto);
    void btnNextClick();
    void btnPrevClick();
    // Whether the last showing ended with a pick.
    bool selecionou() const { return m_selecionou; }
    int nivel(const QTreeWidgetItem *item) const;

    QTreeWidget *arvore = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrev = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QList<QIcon> ilImagens;

protected:
    virtual void escreve(const QString &codigo) = 0;
    // Checks the search text before a search; stops with the silent abort to abandon it.
    virtual void criticaPesquisa() {}
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void constroi();
    void pesquisa(bool frente);
    ConfigArvore m_config;
    int m_nivelFolha = 1;
    bool m_selecionou = false;
};

class TfmTb8CBO : public TfmSeletorArvore {
public:
    explicit TfmTb8CBO(QWidget *parent = nullptr);
protected:
    void escreve(const QString &codigo) override; // CoCbo of the link row
};

class TfmTb8Cnae : public TfmSeletorArvore {
public:
    explicit TfmTb8Cnae(QWidget *parent = nullptr);
protected:
    void escreve(const QString &codigo) override; // CoCnae2 of the establishment row
};

class TfmTb8NatJu : public TfmSeletorArvore {
public:
    explicit TfmTb8NatJu(QWidget *parent = nullptr);
protected:
    void escreve(const QString &codigo) override; // CoNaturezaJuridica of the establishment row
};

class TfrmT8Munic : public TfmSeletorArvore {
public:
    explicit TfrmT8Munic(QWidget *parent = nullptr);
    // Shows the program-wide picker modally; when a municipality was picked in this showing, writes its
    // code into `campo` (a field of the caller's row in edit or insert state). The close box leaves the
    // field as it was.
    static void SelecionaMunicipio(Field campo);
protected:
    void escreve(const QString &codigo) override;
    void criticaPesquisa() override; // "0020" / "0010" for the typed text
};

// The code of the municipality picked last.
extern QString MunicipioSelecionado;

// The pickers that live for the whole run (activity and municipality), created at start-up after the
// data modules, their trees built once.
extern TfmTb8Cnae *fmTb8Cnae;
extern TfrmT8Munic *frmT8Munic;

// The start-up step that creates them; returns what frees them.
std::function<void()> CriaSeletoresIniciais();

} // namespace gdvorn
