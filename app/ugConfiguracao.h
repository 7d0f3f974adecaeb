#pragma once
// The program's settings record: the compiled-in configuration (base year, version, environment, the
// transmission program's paths) and the values that the wizards pass to each other through it.
//
// How to reach it: every piece of code, widget-free or not, reads and writes the record through
// Configuracao(). The main window holds the record of the run (fmGDVORN->Config is the same object):
// its creation installs it, its destruction takes it away. Without a main window (widget-free code and
// its tests) Configuracao() is a record with the values of start-up.
//
// Paths: DiretorioPrograma() is the program's folder; Raiz() stands for the Windows drive C: (the folder
// in $GDVORN_RAIZ, otherwise the user's home), so "C:\GDVorn2010" is Raiz() + "/GDVorn2010".

#include <QString>

namespace gdvorn {

class TConfiguracao {
public:
    // The values of start-up (the main window's creation).
    TConfiguracao();

    int AnoBase = 2010;             // the base year; the previous (2009) and the next (2011) beside it
    QString Versao;                 // "2010.01.03": base year, ".", "01", ".", "03"
    QString Ambiente;               // "Produção"; "Homologação" and "Desenvolvimento" are known too
    QString CaminhoVornNet;         // the transmission program: Raiz()/VornNet2010/VornNet2010
    QString CaminhoVornNetCertificado; // the same program, run to sign with a digital certificate
    QString CodigoSO;               // the operating system's version code written in the trailer: "0"
    QString Crea;                   // professional-council registration of the header record
    QString CaminhoArquivoGerado;   // full path of the declaration file the writer opened last
    QString NomeArquivoGerado;      // name part of that file
    int VariosArquivos = 0;         // 1 when the last writer run produced more than one volume
    int QtdArquivos = 0;            // number of volumes of the last writer run
    bool ModoParticao = false;      // the analysis wizard's split mode runs: volumes are left unsealed
    QString IdTransmissao;          // transmission identifier of a consulted file; " " when none
    QString OpcaoPesquisa;          // "1"/"2": the wizard the survey form opens afterwards
    bool ConsultaAposTransmite = false; // the file browser opens on the file just transmitted
    int SemDeclaracao = 0;          // 1 when no establishment of the base year or the next is stored
    int ProtocoloPeloAssistente = 0; // 1 while the protocol print was started from the print wizard
    bool ModoImprimeProtocolo = false; // the transmission window runs in its protocol-printing mode
    int TransmiteAposGravacao = 0;  // 1: open the transmission window after a wizard's success page
    bool EstabelecimentoExistente = false; // the new-declaration dialog found the inscription stored
    QString PrimeiraAtivacao;       // "S" until the main window is first activated, then "N"
    // The CNPJ of the body that owns the declaration: the entry forms accept it as union-tax entity without
    // asking whether it is an employers' entity. Empty until its value is known: then nothing is exempt.
    QString CnpjOrgaoProprietario;

    // The caption's environment suffix: " Desenvolvimento", " Homologação" or nothing in production.
    QString SufixoAmbiente() const;
};

// The settings record of the run (see above).
TConfiguracao &Configuracao();
// Installs `c` (not owned) as the record of the run; nullptr goes back to the record of start-up values.
// Returns the one installed before.
TConfiguracao *setConfiguracao(TConfiguracao *c);

// The program's folder with a trailing "/": the folder given to setDiretorioPrograma (the main sequence
// gives the folder it runs from; tests give a program folder of their own), otherwise the executable's.
QString DiretorioPrograma();
void setDiretorioPrograma(const QString &pasta);

// The folder that stands for the drive C:, without a trailing "/".
QString Raiz();

} // namespace gdvorn
