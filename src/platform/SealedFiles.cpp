#include "SealedFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMutex>
#include <cerrno>
#include <cstring>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace SealedFiles {
namespace {

// magic, version, cipher, key id, nonce; then the ciphertext and the 16-byte tag.
constexpr char Magic[8] = {'V', 'L', 'T', 'S', 'E', 'A', 'L', '\x1a'};
constexpr char Version = 1;
constexpr char CipherAes256Gcm = 1;
constexpr int NonceBytes = 12;
constexpr int TagBytes = 16;
constexpr int HeaderBytes = 8 + 1 + 1 + KeyIdBytes + NonceBytes;

struct Unlocked {
    QString folder;
    QByteArray id;
    QByteArray key;
};

QMutex& guard()
{
    static QMutex m;
    return m;
}

QList<Unlocked>& keys()
{
    static QList<Unlocked> k;
    return k;
}

QString folderKey(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString folderOfFile(const QString& path)
{
    return folderKey(QFileInfo(path).absolutePath());
}

void forget(Unlocked& u)
{
    Wipe(u.key);
}

struct Ctx {
    EVP_CIPHER_CTX* c = EVP_CIPHER_CTX_new();
    ~Ctx() { EVP_CIPHER_CTX_free(c); }
};

} // namespace

void Wipe(QByteArray& bytes)
{
    if (!bytes.isEmpty() && !bytes.isDetached())
        bytes.detach(); // a shared buffer is someone else's copy; never wipe it under them, but drop ours
    if (!bytes.isEmpty())
        OPENSSL_cleanse(bytes.data(), static_cast<size_t>(bytes.size()));
    bytes.clear();
}

QByteArray RoleOf(const QString& path)
{
    static const char* const sealedKinds[] = {"QN", "JNL", "NTS", "AUD", "KEY", "SHA"};
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || name.startsWith(QLatin1Char('.')))
        return {};
    const QByteArray ending = name.mid(dot + 1).toUpper().toLatin1();
    for (const char* kind : sealedKinds)
        if (ending == kind)
            return ending;
    return {};
}

void Unlock(const QString& folder, QByteArrayView keyId, QByteArrayView key)
{
    const QString where = folderKey(folder);
    QMutexLocker lock(&guard());
    for (qsizetype i = keys().size() - 1; i >= 0; --i)
        if (!where.isEmpty() && keys()[i].folder == where) {
            forget(keys()[i]);
            keys().removeAt(i);
        }
    keys().append({where, keyId.toByteArray(), key.toByteArray()});
}

void Lock(const QString& folder)
{
    const QString where = folderKey(folder);
    QMutexLocker lock(&guard());
    for (qsizetype i = keys().size() - 1; i >= 0; --i)
        if (keys()[i].folder == where) {
            forget(keys()[i]);
            keys().removeAt(i);
        }
}

void LockAll()
{
    QMutexLocker lock(&guard());
    for (Unlocked& u : keys())
        forget(u);
    keys().clear();
}

bool IsUnlocked(const QString& folder)
{
    QByteArray id, key;
    const bool found = KeyOf(folder, id, key);
    Wipe(key);
    return found;
}

bool KeyOf(const QString& folder, QByteArray& keyId, QByteArray& key)
{
    {
        // Every file operation asks; a plain location must not pay for resolving its folder's real path.
        QMutexLocker lock(&guard());
        if (keys().isEmpty())
            return false;
    }
    const QString where = folderKey(folder);
    QMutexLocker lock(&guard());
    for (const Unlocked& u : keys())
        if (!where.isEmpty() && u.folder == where) {
            keyId = u.id;
            key = QByteArray(u.key.constData(), u.key.size());
            return true;
        }
    return false;
}

bool SealsAt(const QString& path)
{
    return !RoleOf(path).isEmpty() && IsUnlocked(QFileInfo(path).absolutePath());
}

bool LooksSealed(QByteArrayView bytes)
{
    return bytes.size() >= 8 && std::memcmp(bytes.data(), Magic, 8) == 0;
}

QByteArray KeyIdOf(QByteArrayView bytes)
{
    if (!LooksSealed(bytes) || bytes.size() < HeaderBytes)
        return {};
    return bytes.sliced(10, KeyIdBytes).toByteArray();
}

QByteArray Seal(QByteArrayView keyId, QByteArrayView key, QByteArrayView role, QByteArrayView plain)
{
    if (key.size() != KeyBytes || keyId.size() != KeyIdBytes)
        return {};
    QByteArray out(HeaderBytes + plain.size() + TagBytes, '\0');
    std::memcpy(out.data(), Magic, 8);
    out[8] = Version;
    out[9] = CipherAes256Gcm;
    std::memcpy(out.data() + 10, keyId.data(), KeyIdBytes);
    auto* nonce = reinterpret_cast<unsigned char*>(out.data() + 10 + KeyIdBytes);
    if (RAND_bytes(nonce, NonceBytes) != 1)
        return {};
    Ctx ctx;
    int n = 0;
    auto* body = reinterpret_cast<unsigned char*>(out.data() + HeaderBytes);
    const QByteArray aad = out.left(HeaderBytes) + role.toByteArray();
    if (!ctx.c || EVP_EncryptInit_ex(ctx.c, EVP_aes_256_gcm(), nullptr, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.c, EVP_CTRL_GCM_SET_IVLEN, NonceBytes, nullptr) != 1 ||
        EVP_EncryptInit_ex(ctx.c, nullptr, nullptr, reinterpret_cast<const unsigned char*>(key.data()), nonce) != 1 ||
        EVP_EncryptUpdate(ctx.c, nullptr, &n, reinterpret_cast<const unsigned char*>(aad.constData()),
                          static_cast<int>(aad.size())) != 1)
        return {};
    if (!plain.isEmpty() && EVP_EncryptUpdate(ctx.c, body, &n, reinterpret_cast<const unsigned char*>(plain.data()),
                                              static_cast<int>(plain.size())) != 1)
        return {};
    int tail = 0;
    if (EVP_EncryptFinal_ex(ctx.c, body + plain.size(), &tail) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.c, EVP_CTRL_GCM_GET_TAG, TagBytes, body + plain.size()) != 1)
        return {};
    return out;
}

int Open(QByteArrayView key, QByteArrayView role, QByteArrayView sealed, QByteArray& plain)
{
    plain.clear();
    if (!LooksSealed(sealed) || sealed.size() < HeaderBytes + TagBytes || sealed[8] != Version ||
        sealed[9] != CipherAes256Gcm || key.size() != KeyBytes)
        return EBADMSG;
    const qsizetype length = sealed.size() - HeaderBytes - TagBytes;
    const auto* nonce = reinterpret_cast<const unsigned char*>(sealed.data() + 10 + KeyIdBytes);
    const auto* body = reinterpret_cast<const unsigned char*>(sealed.data() + HeaderBytes);
    QByteArray tag = sealed.sliced(HeaderBytes + length, TagBytes).toByteArray();
    const QByteArray aad = sealed.first(HeaderBytes).toByteArray() + role.toByteArray();
    QByteArray out(length, '\0');
    Ctx ctx;
    int n = 0;
    if (!ctx.c || EVP_DecryptInit_ex(ctx.c, EVP_aes_256_gcm(), nullptr, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.c, EVP_CTRL_GCM_SET_IVLEN, NonceBytes, nullptr) != 1 ||
        EVP_DecryptInit_ex(ctx.c, nullptr, nullptr, reinterpret_cast<const unsigned char*>(key.data()), nonce) != 1 ||
        EVP_DecryptUpdate(ctx.c, nullptr, &n, reinterpret_cast<const unsigned char*>(aad.constData()),
                          static_cast<int>(aad.size())) != 1)
        return EBADMSG;
    if (length > 0 && EVP_DecryptUpdate(ctx.c, reinterpret_cast<unsigned char*>(out.data()), &n, body,
                                        static_cast<int>(length)) != 1) {
        Wipe(out);
        return EBADMSG;
    }
    int tail = 0;
    // The tag is checked before a byte of the plaintext leaves this function.
    if (EVP_CIPHER_CTX_ctrl(ctx.c, EVP_CTRL_GCM_SET_TAG, TagBytes, tag.data()) != 1 ||
        EVP_DecryptFinal_ex(ctx.c, reinterpret_cast<unsigned char*>(out.data()) + length, &tail) != 1) {
        Wipe(out);
        return EBADMSG;
    }
    plain = out;
    return 0;
}

int ForWriting(const QString& path, QByteArrayView plain, QByteArray& stored, bool& sealed)
{
    sealed = false;
    const QByteArray role = RoleOf(path);
    QByteArray id, key;
    if (role.isEmpty() || !KeyOf(folderOfFile(path), id, key))
        return 0;
    stored = Seal(id, key, role, plain);
    Wipe(key);
    sealed = true;
    return stored.isEmpty() ? EIO : 0;
}

int FromReading(const QString& path, QByteArray& bytes)
{
    const QByteArray role = RoleOf(path);
    QByteArray folderId, key;
    const bool folderUnlocked = KeyOf(folderOfFile(path), folderId, key);
    if (!LooksSealed(bytes)) {
        Wipe(key);
        // Where every such file is sealed, a plain one was put there by something other than this program.
        return folderUnlocked && !role.isEmpty() ? EBADMSG : 0;
    }
    const QByteArray id = KeyIdOf(bytes);
    if (folderUnlocked && id != folderId) {
        Wipe(key);
        return EBADMSG;
    }
    if (!folderUnlocked) {
        QMutexLocker lock(&guard());
        for (const Unlocked& u : keys())
            if (u.id == id)
                key = QByteArray(u.key.constData(), u.key.size());
    }
    if (key.isEmpty())
        return id.isEmpty() ? EBADMSG : ENOKEY;
    QByteArray plain;
    const int err = Open(key, role, bytes, plain);
    Wipe(key);
    bytes = plain;
    return err;
}

} // namespace SealedFiles
