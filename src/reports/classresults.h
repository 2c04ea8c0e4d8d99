#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One user of a user folder with the results read from the user's three result files.
struct SClassPupil {
    QString name;
    // The files could not be read whole (or the name cannot be a file's); the lists are then
    // empty, since part of a pupil's results would give wrong figures.
    bool damaged = false;
    QString fault;  // what was wrong, naming the file
    CRecordList<CGrade> grades;
    CRecordList<CMissed> missed;
    CRecordList<CVocabulary> vocabulary;
};

// Every user of a user folder and their results, for the class overview and orthex-cli class.
//
// Reading never takes a file away from a pupil: the user information file and the result files
// are only opened for reading, without a lock, and nothing is renamed or written. The program
// replaces each of these files as a whole (a new file renamed over the old one), so one read
// sees one whole version even while another copy of Orthex holds or writes the file.
class CClassResults
{
public:
    // Reads Orthex.lgn of the folder and each user's files; users come in name order (case
    // first ignored). False when the folder or the user information file cannot be read, or the
    // user information file is damaged (the users before the damage are still read); Fault()
    // says why. A missing user information file means no users.
    bool Read(const QString& folder);

    QString Folder() const { return m_strFolder; }
    QString Fault() const { return m_strFault; }
    const std::vector<std::unique_ptr<SClassPupil>>& Pupils() const { return m_pupils; }
    const SClassPupil* Find(const QString& name) const;
    // True when anything could not be read whole: the user information file or a pupil's files.
    bool AnyDamaged() const;
    // The faults of the folder and of every damaged pupil, one a line.
    QStringList Faults() const;
    // The names of the spelling lists the class took (the stored names without the endings of
    // a repeated or stopped test), in name order.
    QStringList ListNames() const;

private:
    QString m_strFolder;
    QString m_strFault;
    std::vector<std::unique_ptr<SClassPupil>> m_pupils;
};
