#include "captions.h"

const std::array<CaptionRow, 15> kMainWindowCaptions = {{
    {"lblRoms", "Driver della ROM:", "ROM's Driver:"},
    {"Label2", "Anteprima", "Prewiev"},
    {"fraRisoluzione", "&Risoluzione...", "&Resolution..."},
    {"Label1", "Anteprima non disponibile", "Prewiev missing"},
    {"cmdAvvia", "&Avvia", "&Start"},
    {"cmdDriver", "&Modifica driver...", "&Edit this driver..."},
    {"chkPersonalizza", "Personalizza la Riga di Comando", "Custom Command Line"},
    {"lblRigaComando", "Riga di comando", "Command line"},
    {"lblLingua", "Lingua...", "Language..."},
    {"chkNoCheck", "&Non verificare le rom", "&Do not check this rom"},
    {"chkSincro", "&Sincronizza con il VBL (limite a 60fps)",
     "&Synchronise to VBL (limit the fps to 60)"},
    {"chkSwap", "&Usa il file di scambio (swap)", "&Activate the swap file"},
    {"chkSuono", "Atti&va il suono", "Enable &sound"},
    {"chkDebug", "Modalit\u00e0 &Debug", "&Debug mode"},
    {"chkProfile", "&Modalit\u00e0 Profile", "Enable &profiling"},
}};
