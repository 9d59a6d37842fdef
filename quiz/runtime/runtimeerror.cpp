#include "runtimeerror.h"

#include "platform.h"
#include "timercontrol.h"

namespace rt {

QString errorMessage(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::Overflow: return QStringLiteral("Overflow");
    case ErrorNumber::TypeMismatch: return QStringLiteral("Tipo non corrispondente");
    case ErrorNumber::BadFileNameOrNumber: return QStringLiteral("Nome o numero di file non valido");
    case ErrorNumber::FileNotFound: return QStringLiteral("Impossibile trovare il file");
    case ErrorNumber::FileAlreadyOpen: return QStringLiteral("File già aperto");
    case ErrorNumber::DeviceIoError: return QStringLiteral("Errore di I/O della periferica");
    case ErrorNumber::DiskFull: return QStringLiteral("Disco pieno");
    case ErrorNumber::TooManyFiles: return QStringLiteral("Troppi file");
    case ErrorNumber::PermissionDenied: return QStringLiteral("Autorizzazione negata");
    case ErrorNumber::PathFileAccessError: return QStringLiteral("Errore di accesso al percorso/file");
    case ErrorNumber::PathNotFound: return QStringLiteral("Impossibile trovare il percorso");
    case ErrorNumber::ControlArrayElementMissing:
        return QStringLiteral("L'elemento della matrice di controlli non esiste");
    }
    return QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
}

void raiseError(ErrorNumber number)
{
    // The program stops here: no countdown tick may run behind the box, however long it
    // stays open, and end a game that is over with a farewell and a success status.
    TimerControl::disableAll();
    Platform &platform = Platform::current();
    const QString text = QStringLiteral("Errore di run-time '%1':\n\n%2")
                             .arg(static_cast<int>(number))
                             .arg(errorMessage(number));
    platform.showError(text, applicationTitle());
    platform.end(1);
}

} // namespace rt
