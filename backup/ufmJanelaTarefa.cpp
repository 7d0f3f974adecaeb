#include "backup/ufmJanelaTarefa.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

JanelaTarefa MontaJanelaTarefa(QDialog *janela, const NomesTarefa &nomes)
{
    janela->setWindowTitle(nomes.legenda);
    janela->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    janela->resize(nomes.largura, nomes.altura);
    JanelaTarefa j;
    auto *layout = new QVBoxLayout(janela);
    j.meDicas = new QPlainTextEdit(janela);
    j.meDicas->setObjectName(QStringLiteral("meDicas"));
    j.meDicas->setReadOnly(true);
    j.meDicas->setFocusPolicy(Qt::NoFocus);
    j.meDicas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    j.meDicas->setPlainText(nomes.dicas);
    layout->addWidget(j.meDicas);
    j.rotulo = new QLabel(nomes.rotulo, janela);
    j.rotulo->setObjectName(nomes.nomeRotulo);
    j.rotulo->hide();
    layout->addWidget(j.rotulo);
    j.barra = new QProgressBar(janela);
    j.barra->setObjectName(nomes.nomeBarra);
    j.barra->hide();
    layout->addWidget(j.barra);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    j.iniciar = new QPushButton(QStringLiteral("&Iniciar"), janela);
    j.iniciar->setObjectName(nomes.nomeIniciar);
    j.iniciar->setDefault(true);
    j.cancelar = new QPushButton(QStringLiteral("&Cancelar"), janela);
    j.cancelar->setObjectName(nomes.nomeCancelar);
    j.cancelar->setAutoDefault(false);
    botoes->addWidget(j.iniciar);
    botoes->addWidget(j.cancelar);
    layout->addLayout(botoes);
    j.iniciar->setFocus();
    return j;
}

} // namespace gdvorn
