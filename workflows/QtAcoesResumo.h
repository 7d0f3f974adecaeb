#pragma once
// The actions over a written declaration that the recording wizard's last page offers and the analysis
// wizard offers too: the summary ("rptProtocolo") and the label ("rptEtiqueta") shown in the preview,
// and the summary saved as a PDF file. Each disables its button while it runs.
//
// With no printer installed the preview still opens, after a message, with printing from it turned off.
// The PDF's old file is removed before the report writes it, so that only a file written now is reported
// as saved; a writer failure or an empty file is reported with the file's name and the reason.

class QPushButton;
class QWidget;

namespace gdvorn::AcoesResumo {

// The summary of the base year in the preview.
void Resumo(QPushButton *botao);
// The label of the base year (with the edited version) in the preview.
void Etiqueta(QPushButton *botao);
// Asks for a file (the file-dialog seam, over `pai`), confirms an overwrite and writes the summary as PDF.
void SalvaResumo(QWidget *pai, QPushButton *botao);

} // namespace gdvorn::AcoesResumo
