// Error texts: Windows system error codes to Dutch sentences.

#include "app/errors.h"

#include <cerrno>
#include <utility>

namespace {

constexpr std::pair<int, const char*> ErrorTexts[] = {
    {1, "Foutieve functie"},
    {2, "Bestand niet gevonden"},
    {3, "Pad niet gevonden"},
    {4, "Er zijn teveel bestanden geopend"},
    {5, "Toegang geweigerd"},
    {6, "Ongeldige handle"},
    {15, "Ongeldig station"},
    {16, "De huidige folder kan niet worden verwijderd"},
    {17, "Kan bestand niet hernoemen naar ander station"},
    {18, "Er zijn geen bestanden meer"},
    {19, "Het medium is schrijfbeveiligd"},
    {20, "Het systeem kan het apparaat niet vinden"},
    {21, "Het apparaat is niet klaar"},
    {22, "Het apparaat herkent deze opdracht niet"},
    {23, "Een gegevensfout (CRC fout) is opgetreden"},
    {25, "Fout bij zoeken in bestand"},
    {26, "Het station is niet toegankelijk"},
    {27, "Sector niet gevonden"},
    {28, "Het papier is op"},
    {29, "Het systeem kan niet naar het opgegeven apparaat schrijven"},
    {30, "Het systeem kan niet van het opgegeven apparaat lezen"},
    {31, "Algemene fout"},
    {32, "Share fout"},
    {33, "Lock fout"},
    {34, "De verkeerde diskette zit in het station"},
    {36, "Er zijn teveel bestanden geopend voor share"},
    {38, "Leespoging voorbij het eind van het bestand"},
    {39, "De schijf is vol"},
    {50, "De netwerk aanvraag wordt niet ondersteund"},
    {51, "De remote computer is niet beschikaar"},
    {52, "Een zelfde naam bestaat al op het netwerk"},
    {53, "Het netwerkpad is niet gevonden"},
    {54, "Het netwerk is bezet"},
    {55, "Het netwerk apparaat is niet langer beschikbaar"},
    {57, "Netwerk adapterfout"},
    {59, "Onverwachte netwerkfout"},
    {61, "De printerwachtlijst is vol"},
    {62, "De printerspool is vol"},
    {63, "De printopdracht is geannuleerd"},
    {64, "De netwerknaam is niet langer geldig"},
    {65, "De toegang tot het netwerk is geweigerd"},
    {67, "Het netwerk kan niet worden gevonden"},
    {70, "De server is gestopt"},
    {71, "Kan geen verbinding maken met deze remote computer"},
    {80, "Het bestand bestaat al"},
    {82, "Kan de map of het bestand niet aanmaken"},
    {83, "INT 24 fout"},
    {87, "Incorrecte parameter"},
    {88, "Er is een schrijfout op het netwerk opgetreden"},
    {108, "De schijf is in gebruik of gelocked door een ander proces"},
    {110, "Kan het bestand niet openen"},
    {111, "De bestandsnaam  is te lang"},
    {112, "De schijf is vol"},
    {113, "Niet genoeg handles voor zoekopdracht"},
    {117, "Ongeldige IOTCL call"},
    {122, "Ongeldige buffer"},
    {123, "De opgegeven naam is ongeldig"},
    {125, "De schijf heeft geen naam"},
    {131, "Zoekopdracht voor begin van het bestand"},
    {145, "De map is niet leeg"},
    {154, "De opgegeven naam is te lang"},
    {161, "Ongeldige padnaam"},
    {180, "Ongeldig segmentnummer"},
    {183, "Kan geen bestand aanmaken dat al bestaat"},
    {206, "De bestandsnaam of de uitgang is te lang"},
    {267, "Ongeldige mapnaam"},
    {1005, "Het station bevat geen geldig bestandssysteem"},
    {1110, "De inhoud van het station is mogelijk veranderd"},
    {1112, "Het station is leeg"},
    {1124, "Onbekende floppy fout"},
    {1125, "Floppy registerfout"},
    {1126, "Recalibratiefout"},
    {1127, "Onbekende schijffout"},
    {1128, "Fout bij resetten van de harde schijf"},
    {2250, "De netwerkverbinding bestaat niet"},
};

// Windows keeps bit 29 of an error code for codes that applications define; no system error
// code has it. An errno value without a Windows counterpart travels with this bit, so that it
// never reads as the unrelated Windows error of the same number.
constexpr int ErrnoOnlyBit = 1 << 29;

} // namespace

QString ErrorText(int Code) {
    for (const auto& [Known, Text] : ErrorTexts) {
        if (Known == Code)
            return QString::fromLatin1(Text);
    }
    const int Shown = Code > 0 ? Code & ~ErrnoOnlyBit : Code;
    return QStringLiteral("Onbekende fout: ") + QString::number(Shown);
}

int WindowsErrorFromErrno(int Errno) {
    switch (Errno) {
    case 0:
        return 0;
    case ENOENT:
        return 2; // Bestand niet gevonden
    case ENOTDIR:
        return 3; // Pad niet gevonden: a path through a regular file
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    case EBADF:
        return 6;
    case EROFS:
        return 19; // Het medium is schrijfbeveiligd
    case ENODEV:
    case ENXIO:
        return 20;
    case EIO:
        return 31; // Algemene fout
    case EBUSY:
    case ETXTBSY:
        return 32;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return 39; // De schijf is vol
    case EEXIST:
        return 80;
    case EINVAL:
        return 87;
    case ENAMETOOLONG:
        return 206;
    case ENOTEMPTY:
        return 145;
    case EISDIR:
        return 5; // a folder where a file was expected: access denied, as Windows says
    case ELOOP:
        return 161;
    case EXDEV:
        return 17;
    default:
        return Errno | ErrnoOnlyBit;
    }
}

int LastSystemError() {
    return WindowsErrorFromErrno(errno);
}

int FileErrorCode(QFileDevice::FileError Error, int Errno) {
    if (const int Code = WindowsErrorFromErrno(Errno); Code != 0)
        return Code;
    switch (Error) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::ReadError:
        return 30;
    case QFileDevice::WriteError:
        return 29;
    case QFileDevice::OpenError:
        return 110;
    case QFileDevice::ResourceError:
        return 39;
    case QFileDevice::PermissionsError:
        return 5;
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return 82;
    default:
        return 31;
    }
}
