#include "model/systeme_fichiers.h"

#include <sys/vfs.h>

#include <filesystem>

#include "model/texte.h"

namespace tavo {

namespace {

struct SystemePartage {
    std::uint32_t type;
    const char* description;  // UTF-8, as it ends "Ce fichier est sur ..."
};

// statfs's magic numbers (linux/magic.h and the file systems' own sources).
// FUSE holds sshfs, rclone, the clients of online storage and virtiofs, but
// also local disks mounted through it (NTFS by ntfs-3g): they all get the
// journal that works everywhere.
constexpr SystemePartage kPartages[] = {
    {0x6969, "un partage réseau (NFS)"},
    {0x517B, "un partage réseau (SMB)"},
    {0xFF534D42, "un partage réseau (SMB/CIFS)"},
    {0xFE534D42, "un partage réseau (SMB2/SMB3)"},
    {0x564C, "un partage réseau (NetWare)"},
    {0x5346414F, "un partage réseau (AFS)"},
    {0x6B414653, "un partage réseau (AFS)"},
    {0x73757245, "un partage réseau (Coda)"},
    {0x65735546, "un système de fichiers FUSE (sshfs, rclone, stockage en ligne...)"},
    {0x01021997, "un dossier partagé (9P : machine virtuelle, WSL)"},
    {0x786F4256, "un dossier partagé de VirtualBox"},
    {0x7C7C6673, "un dossier partagé de Parallels"},
    {0x00C36400, "un système de fichiers en grappe (Ceph)"},
    {0x0BD00BD0, "un système de fichiers en grappe (Lustre)"},
    {0x01161970, "un système de fichiers en grappe (GFS2)"},
    {0x7461636F, "un système de fichiers en grappe (OCFS2)"},
    {0x47504653, "un système de fichiers en grappe (GPFS)"},
    {0x19830326, "un système de fichiers en grappe (BeeGFS)"},
    {0x20030528, "un système de fichiers en grappe (OrangeFS)"},
};

}  // namespace

ChoixJournal choisir_journal(std::uint32_t type) {
    for (const SystemePartage& partage : kPartages) {
        if (partage.type != type) continue;
        return {ModeJournal::rollback,
                std::string(
                    std::string("Ce fichier est sur ") + partage.description +
                    ", où le verrouillage des fichiers n'est pas fiable : si deux programmes ou "
                    "deux ordinateurs le modifient en même temps, le tournoi peut être abîmé. "
                    "Travaillez de préférence sur un disque local.")};
    }
    return {};
}

std::optional<std::uint32_t> type_systeme_fichiers(const std::string& chemin) {
    struct statfs infos {};
    if (::statfs(chemin.c_str(), &infos) != 0) {
        const auto dossier = std::filesystem::path(chemin).parent_path();
        if (::statfs(dossier.empty() ? "." : dossier.c_str(), &infos) != 0) return std::nullopt;
    }
    return static_cast<std::uint32_t>(infos.f_type);
}

}  // namespace tavo
