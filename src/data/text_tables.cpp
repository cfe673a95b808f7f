#include "data/measurement.h"

namespace talvex {

const MeasureNameTable& french_measure_names() {
    static const MeasureNameTable names = {
        "<Aucune>",         "Radon 1 (Cps/h)",  "Radon 1 (Bq/m³)",       "Radon 2 (Cps/h)",
        "Radon 2 (Bq/m³)",  "Radon 3 (Cps/h)",  "Radon 3 (Bq/m³)",       "Température (°C)",
        "Pression (mbar)",  "Humidité (%)",     "Pluviométrie (mm H²0)", "Tension pile (V)",
        "",                 "",                 "Chocs",                 "Bat.",
        "Pompe",            "Chauf.",           "Alm1",                  "Alm2",
        "Cnx.",             "Radon 1 (Bq/l)",   "Radon 2 (Bq/l)",        "Radon 3 (Bq/l)",
    };
    return names;
}

const HeaderLabelTable& french_header_labels() {
    static const HeaderLabelTable labels = [] {
        HeaderLabelTable t = {
            "Version de programme du PIC",
            "Numéro de sonde",
            "Coefficient Radon Compteur 1",
            "Bruit de Fond Radon Compteur 1",
            "Temps de Détermination du Bruit de Fond",
            "Coefficient Radon Compteur 2",
            "Bruit de Fond Radon Compteur 2",
            "Coefficient Radon Compteur 3",
            "Bruit de Fond Radon Compteur 3",
            "Ajustement Pression",
            "Type de communication",
            "Heure de mise en marche du GSM",
            "Heure d'arrêt du GSM",
            "Coefficient Bunsen Degré 0",
            "Jours de fonctionnement du GSM",
            "Coefficient 1 Lié aux Membranes",
            "Coefficient Batterie",
            "Coefficient de pluviométrie",
            "Coefficient Pression A Degré 0",
            "Coefficient Pression A Degré 1",
            "Coefficient Pression A Degré 2",
            "Coefficient Pression A Degré 3",
            "Coefficient Pression B Degré 0",
            "Coefficient Pression B Degré 1",
            "Coefficient Pression B Degré 2",
            "Coefficient Pression B Degré 3",
            "Coefficient Pression C Degré 0",
            "Coefficient Pression C Degré 1",
            "Coefficient Pression C Degré 2",
            "Coefficient Pression C Degré 3",
            "Coefficient Température",
            "Coefficient Humidité A  RH=f(CRH)",
            "Coefficient Humidité B  RH=f(CRH)",
            "Coefficient Humidité A  FT=f(RH)",
            "Coefficient Humidité B  FT=f(RH)",
            "Coefficient Humidité C  FT=f(RH)",
            "Coefficient Humidité A  K=f(AH)",
            "Coefficient Humidité B  K=f(AH)",
            "Date de Dernière Maintenance",
            "Intervalle de Temps Entre Deux Maintenances (Années)",
            "Seuil Alarme 1 Radon",
            "Seuil Alarme 2 Radon",
            "Température de Mise en Route Chauffage",
            "Commentaires",
            "Nombre de Mesures",
            "Période de Mesure (Minutes)",
            "Tension Alimentation Minimale",
            "Tension de Référence Mesure Tension Alimentation",
            "Date de Départ",
            "Heure de Départ",
            "Type de Sonde",
        };
        for (auto& label : t)
            label += '\t';
        return t;
    }();
    return labels;
}

} // namespace talvex
