// The checks of the hours worked in each month of a link (V74-V85): the hours' digits, then the hours
// against the month's pay, the admission, the dismissal and the establishment's closure, then more than
// 100 hours. Every finding is of record type 2; errors count one occurrence each, warnings none.

#include "app/ugCriticas.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasRemuneracao.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

#include <memory>

namespace gdvorn {

namespace {

// What the twelve checks of one link share, taken by January's check (views over the texts the reader
// keeps for the record).
struct DadosDoVinculo {
    int mesDesligamento = 0;
    QStringView admissao;        // MMYYYY
    QStringView anoEncerramento; // the establishment's closure year, trimmed
};

void horasDoMes(AnaliseConsistencia &a, int mes, DadosDoVinculo &dados)
{
    CamposDaTabela &vinculo = a.CamposVinculo;
    if (mes == 1) {
        const QString &desligamento = vinculo.Gravado("DaDesligamentoEmpregado");
        dados.mesDesligamento = int(ValorDigitos(VistaAparada(QStringView(desligamento).mid(2, 2))));
        dados.admissao = QStringView(vinculo.Gravado("DaAdmissaoEmpregado")).mid(2, 6);
        dados.anoEncerramento =
            QStringView(a.CamposEstabelecimento.Gravado("DaEncerramentoAtividade")).mid(4, 4).trimmed();
    }
    // The hours as numbers; their text only for a finding or hours that are not all digits.
    const AnaliseConsistencia::NumerosDoMes &numeros = a.NumerosDosMeses()[size_t(mes - 1)];
    const auto horasGravadas = [&]() -> const QString & { return vinculo.Gravado(kHorasMes[mes - 1]); };
    const auto linhaHoras = [&] { return CampoOcorrencia{Rotulo::HorasTrabalhadas, horasGravadas()}; };

    // Hours that are all digits pass their format check.
    QString codigo = numeros.horasDigitos ? CodigoValido : CriticaHorasNumericas(horasGravadas());
    if (!Passa(codigo)) {
        a.RegistraErro(RegistroVinculo, codigo, {linhaHoras()});
        return;
    }

    codigo = CriticaHorasRemuneracao(numeros.centavos, int(numeros.horas), mes, dados.mesDesligamento, dados.admissao,
                                     dados.anoEncerramento);
    if (Passa(codigo))
        codigo = CriticaHorasSemRemuneracaoNumero(numeros.horas, numeros.valorDigitos && numeros.centavos == 0);
    if (!Passa(codigo)) {
        a.RegistraErro(RegistroVinculo, codigo,
                       {linhaHoras(), {Rotulo::RemuneracaoMes(mes), vinculo.Gravado(kValorMes[mes - 1])}});
        return;
    }

    codigo = CriticaHorasMesNumero(numeros.horas);
    if (!Passa(codigo))
        a.RegistraAviso(RegistroVinculo, codigo, {linhaHoras()});
}

} // namespace

void VerificacoesHorasVinculo(SequenciasConsistencia &s)
{
    // One state for the group's twelve checks, renewed by January's check of every link.
    auto dados = std::make_shared<DadosDoVinculo>();
    for (int mes = 1; mes <= 12; ++mes)
        s.Vinculo.insert(73 + mes, [mes, dados](AnaliseConsistencia &a) { horasDoMes(a, mes, *dados); });
}

} // namespace gdvorn
