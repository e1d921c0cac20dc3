// The source of the fault current in the window: a group of fields under the project's.
#include "schedule_window/schedule_window.h"

#include "schedule/decimal_mark.h"
#include "schedule/fault_current.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using schedule::CamposProyecto;
using schedule::PrimerCampoDeFuente;

// Each field's caption, short for the group's two rows, and what it asks for.
struct RotuloFuente {
    const char* rotulo;
    const char* ayuda;
};
constexpr std::array<RotuloFuente, CamposProyecto.size() - PrimerCampoDeFuente> Rotulos{{
    {"Transformador (kVA)", "Los kVA de placa del transformador de la acometida"},
    {"%Z", "La impedancia de placa del transformador, en %"},
    {"Fases", "3 o 1: el sistema de la fuente"},
    {"Voltaje (V)", "El voltaje de línea a línea del secundario, o de la acometida"},
    {"Tolerancia %Z", "sí (si está vacío): se usa 0,9 × %Z, la tolerancia de ±10 % de la placa"},
    {"Icc de la red (kA)",
     "La corriente de cortocircuito de la red en el primario; vacía: red infinita"},
    {"Voltaje primario (V)", "El voltaje del primario, con la corriente de la red"},
    {"Icc en la acometida (kA)",
     "En lugar del transformador: la corriente en la acometida que da la compañía"},
    {"Motores (A)", "La corriente de plena carga de los motores que pueden operar a la vez"},
}};

constexpr std::size_t Tolerancia = 4; // the one field that is no number

const schedule::CampoProyecto& Campo(std::size_t i) {
    return CamposProyecto[PrimerCampoDeFuente + i];
}

QString Texto(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

} // namespace

void VentanaAlimentadores::CrearFuente(QWidget* cliente, QLayout* columna) {
    auto* grupo = new QGroupBox(QStringLiteral("Fuente de cortocircuito"), cliente);
    grupo->setObjectName(QStringLiteral("fuente"));
    auto* rejilla = new QGridLayout(grupo);
    // Four entries a row keep the group narrow enough for a small screen.
    constexpr int PorRenglon = 4;
    for (std::size_t i = 0; i < campos_.fuente.size(); ++i) {
        QLineEdit*& campo = campos_.fuente[i];
        campo = new QLineEdit(grupo);
        campo->setObjectName(Texto(Campo(i).clave));
        campo->setAccessibleName(Texto(Campo(i).etiqueta));
        campo->setToolTip(QString::fromUtf8(Rotulos[i].ayuda));
        if (i == Tolerancia) {
            campo->setPlaceholderText(QStringLiteral("sí"));
        }
        auto* rotulo =
            new QLabel(QString::fromUtf8(Rotulos[i].rotulo) + QStringLiteral(":"), grupo);
        rotulo->setBuddy(campo);
        const int r = static_cast<int>(i) / PorRenglon;
        const int c = static_cast<int>(i) % PorRenglon * 2;
        rejilla->addWidget(rotulo, r, c);
        rejilla->addWidget(campo, r, c + 1);
        connect(campo, &QLineEdit::editingFinished, this, &VentanaAlimentadores::ConfirmarFuente);
    }
    campos_.estadoFuente = new QLabel(grupo);
    campos_.estadoFuente->setObjectName(QStringLiteral("estado_fuente"));
    campos_.estadoFuente->setWordWrap(true);
    rejilla->addWidget(campos_.estadoFuente, 2, 2, 1, 2 * PorRenglon - 2);
    columna->addWidget(grupo);
}

void VentanaAlimentadores::MostrarFuente() {
    const schedule::DatosProyecto& p = modelo_->cuadro().proyecto;
    const engine::Separadores sep{QLocale().decimalPoint().toStdString(), ""};
    for (std::size_t i = 0; i < campos_.fuente.size(); ++i) {
        const std::string& valor = p.*Campo(i).campo;
        const bool numero = i != Tolerancia && engine::Decimal::Leer(valor).has_value();
        campos_.fuente[i]->setText(Texto(numero ? engine::ConSeparador(valor, sep) : valor));
    }
    MostrarEstadoFuente();
}

void VentanaAlimentadores::MostrarEstadoFuente() {
    const schedule::DatosProyecto& p = modelo_->cuadro().proyecto;
    const engine::Separadores sep{QLocale().decimalPoint().toStdString(), ""};
    auto fuente = schedule::FuenteDe(p);
    QString estado = QStringLiteral("Sin fuente: no se calcula el cortocircuito.");
    if (const auto* error = std::get_if<std::string>(&fuente)) {
        estado = Texto(*error);
    } else if (auto* f = std::get_if<schedule::Fuente>(&fuente)) {
        f->motoresDeFilas = schedule::MotoresDelCuadro(
            modelo_->cuadro(), *f, [this](std::size_t i) -> const schedule::FilaDimensionada& {
                return modelo_->resultado(static_cast<int>(i));
            });
        const auto corriente = schedule::TableroDeLaFuente(*f).corriente;
        const auto motores = f->Motores() * engine::Racional(engine::MultiploMotores);
        estado =
            QStringLiteral("En la acometida: %1 kA")
                .arg(Texto(engine::ConSeparador(schedule::TextoKa(*corriente + motores), sep)));
        if (!(f->motoresDeFilas == engine::Racional())) {
            // The tables' currents have at most one decimal, and so has their sum.
            std::string amperes = f->motoresDeFilas.Texto(1);
            if (amperes.ends_with(".0")) {
                amperes.resize(amperes.size() - 2);
            }
            estado += QStringLiteral(", con %1 A de plena carga de las filas de motores")
                          .arg(Texto(engine::ConSeparador(amperes, sep)));
        }
    }
    campos_.estadoFuente->setText(estado);
}

void VentanaAlimentadores::ConfirmarFuente() {
    const bool coma = QLocale().decimalPoint() == QStringLiteral(",");
    const schedule::MarcaDecimal marca{coma ? schedule::Marca::Coma : schedule::Marca::Punto,
                                       false};
    schedule::DatosProyecto nuevo = modelo_->cuadro().proyecto;
    std::vector<std::string> textos;
    for (std::size_t i = 0; i < campos_.fuente.size(); ++i) {
        std::string texto = campos_.fuente[i]->text().trimmed().toStdString();
        // A number as typed with the locale's mark is kept with its decimal point.
        if (const auto leido = schedule::LeerNumero(texto, marca);
            i != Tolerancia && std::holds_alternative<schedule::Numero>(leido)) {
            texto = std::get<schedule::Numero>(leido).texto;
        }
        nuevo.*Campo(i).campo = texto;
        textos.push_back(std::move(texto));
    }
    // Both forms at once are refused; an entry the source still lacks is only told.
    const auto fuente = schedule::FuenteDe(nuevo);
    const auto* error = std::get_if<std::string>(&fuente);
    if (error != nullptr && !nuevo.kvaFuente.empty() && !nuevo.iccAcometidaKa.empty()) {
        const QString mensaje = Texto(*error);
        MostrarFuente();
        Avisar(mensaje);
        return;
    }
    for (std::size_t i = 0; i < campos_.fuente.size(); ++i) {
        modelo_->CambiarEncabezado(Campo(i).campo, textos[i],
                                   QStringLiteral("Cambiar %1").arg(Texto(Campo(i).etiqueta)));
    }
    MostrarFuente();
}
