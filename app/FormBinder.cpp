#include "app/FormBinder.h"

#include <QCheckBox>
#include <QLineEdit>

namespace gdvorn {

bool FormBinder::emEdicao() const
{
    return m_tabela && (m_tabela->State() == DataSetState::Edit || m_tabela->State() == DataSetState::Insert);
}

void FormBinder::liga(QWidget *controle, const QString &campo)
{
    m_ligacoes.append({controle, campo});
    auto aoMudar = [this, controle] {
        if (!m_carregando && emEdicao())
            grava(controle);
    };
    if (auto *b = dynamic_cast<BoundControl *>(controle)) {
        b->aoAlterar(aoMudar);
    } else if (auto *c = qobject_cast<QCheckBox *>(controle)) {
        QObject::connect(c, &QCheckBox::toggled, c, aoMudar);
    } else if (auto *e = qobject_cast<QLineEdit *>(controle)) {
        if (m_tabela) {
            const FieldDef *f = m_tabela->definition().field(campo);
            if (f && f->type == FieldType::Text && f->width > 0)
                e->setMaxLength(f->width);
        }
        QObject::connect(e, &QLineEdit::textEdited, e, aoMudar);
    }
}

QString FormBinder::campo(const QWidget *controle) const
{
    const Ligacao *l = ligacao(controle);
    return l ? l->campo : QString();
}

const FormBinder::Ligacao *FormBinder::ligacao(const QWidget *controle) const
{
    for (const Ligacao &l : m_ligacoes)
        if (l.controle == controle)
            return &l;
    return nullptr;
}

void FormBinder::carregaUm(const Ligacao &l)
{
    if (!l.controle)
        return;
    const Field f = m_tabela->FieldByName(l.campo);
    m_carregando = true;
    if (auto *b = dynamic_cast<BoundControl *>(l.controle.data()))
        b->mostraArmazenado(f.AsString());
    else if (auto *c = qobject_cast<QCheckBox *>(l.controle))
        c->setChecked(f.AsBoolean());
    else if (auto *e = qobject_cast<QLineEdit *>(l.controle))
        e->setText(f.AsString());
    m_carregando = false;
}

void FormBinder::gravaUm(const Ligacao &l)
{
    if (!l.controle)
        return;
    Field f = m_tabela->FieldByName(l.campo);
    if (auto *b = dynamic_cast<BoundControl *>(l.controle.data()))
        f.setAsString(b->textoArmazenado());
    else if (auto *c = qobject_cast<QCheckBox *>(l.controle))
        f.setAsBoolean(c->isChecked());
    else if (auto *e = qobject_cast<QLineEdit *>(l.controle))
        f.setAsString(e->text().trimmed());
}

void FormBinder::carrega()
{
    for (const Ligacao &l : m_ligacoes)
        carregaUm(l);
}

void FormBinder::grava()
{
    for (const Ligacao &l : m_ligacoes)
        gravaUm(l);
}

void FormBinder::carrega(QWidget *controle)
{
    if (const Ligacao *l = ligacao(controle))
        carregaUm(*l);
}

void FormBinder::grava(QWidget *controle)
{
    if (const Ligacao *l = ligacao(controle))
        gravaUm(*l);
}

} // namespace gdvorn
