// Where a tournament file lies: on a local disk, where SQLite's locks and the
// shared memory of its write-ahead log can be trusted, or on a file system
// shared over a network or run by a user-space program, where they cannot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavo {

// The journal of a tournament file: the write-ahead log (WAL) on a local
// disk, the rollback journal (DELETE) elsewhere.
enum class ModeJournal { wal, rollback };

struct ChoixJournal {
    ModeJournal mode = ModeJournal::wal;
    // What the director is told about the file system, "" on a local disk.
    std::string avertissement;
};

// The journal for a file system of type `type` (statfs's f_type magic
// number). Unknown types are taken as local disks; a network file system
// (NFS, SMB, AFS...), a cluster one (Ceph, Lustre, GFS2...), a virtual
// machine's shared folder (9P, VirtualBox) or a FUSE one (sshfs, rclone,
// the clients of online storage) gets the rollback journal and a warning.
ChoixJournal choisir_journal(std::uint32_t type);

// The type of the file system holding `chemin` (the file itself, or its
// folder when it does not exist yet); std::nullopt when statfs fails.
std::optional<std::uint32_t> type_systeme_fichiers(const std::string& chemin);

}  // namespace tavo
