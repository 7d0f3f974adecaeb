#pragma once
// Fixture of the tests of the consistency checks: the code tables, the responsible row and the
// establishment row of a declaration of 2010 that every check accepts, and a harness that runs chosen
// checks on the current rows and returns the rows they wrote and the occurrences they counted.
//
//     test::FixtureTabelas tabelas;
//     test::preencheTabelasValidas(tabelas);
//     QVariantMap e = test::estabelecimentoValido();
//     e["CoCepEstabelecimento"] = "0100100";
//     tabelas.insere("bd8emp", e);
//     const auto r = test::executaEstabelecimento({10});   // r.linhas: "err 0040 1 1609=0100100"

#include "FixtureTabelas.h"

#include <QList>
#include <QStringList>
#include <QVariantMap>

namespace gdvorn::test {

// Municipality 3550308 SAO PAULO (single CEP 01001) in SP (35, CEP ranges 01000-19999), CNAE 4711302,
// legal nature 2062.
void preencheTabelasValidas(FixtureTabelas &tabelas);

// A responsible row (bd8resp) and an establishment row (bd8emp, inscription 11222333000181, prefix 01,
// no employees) that pass every check of their sequences.
QVariantMap responsavelValido();
QVariantMap estabelecimentoValido();

// The work tables te8resp, te8emp and te8vinc, empty, on the fixture's connection.
void criaTabelasTrabalho();

struct ResultadoVerificacoes {
    QStringList linhas; // "errwar retorno tiporegistro lbl=Conteudo", in the order written
    int contadas = 0;   // occurrences counted
};

// Runs the checks `numeros` (all of the sequence when empty) of the standard sequences on the first row
// of the responsible or of the establishment table.
ResultadoVerificacoes executaResponsavel(const QList<int> &numeros = {}, bool tabelasTrabalho = false);
ResultadoVerificacoes executaEstabelecimento(const QList<int> &numeros = {}, bool tabelasTrabalho = false,
                                             bool origemArquivo = false);

// The rows of te8errwa in the same form (none when the table does not exist).
QStringList linhasOcorrencias(bool comInscricao = false);

} // namespace gdvorn::test
