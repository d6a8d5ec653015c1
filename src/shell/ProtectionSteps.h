#pragma once
// The supervisor's commands on the open data location's encryption, asking what they need through the prompts.

#include "LocationProtection.h"
#include "Prompts.h"

#include <QString>

class ClientTable;
class Prompts;

// A sentence on whether the open location is encrypted.
QString ProtectionStatusText(const ClientTable& table);

// Asks for a new passphrase (twice, its strength shown as it is typed) and, if the office wants one, a recovery
// passphrase; then encrypts the open location. Every outcome is told through the prompts.
void EncryptOpenLocation(ClientTable& table, Prompts& prompts, const LocationProtection::Cost& cost = {});
// Asks for the passphrase in use, then a new one, and rewrites the key slot it opened.
void ChangeOpenLocationPassphrase(ClientTable& table, Prompts& prompts, const LocationProtection::Cost& cost = {});
// Asks for the passphrase again and writes the location plain.
void RemoveOpenLocationEncryption(ClientTable& table, Prompts& prompts);

// The options of a question for a new passphrase of the location in `folder`: typed twice, rated, refused by the
// rules; `other`, when not empty, is a passphrase the new one must differ from.
SecretOptions NewPassphraseOptions(const QString& folder, const QString& other = QString());
