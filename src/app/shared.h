#pragma once

#include <QPointer>
#include <QString>

namespace data {
class Tado;
}
class Tmain;
class Tjtbz;
class Tjxjs;
class Txccx;
class Tdtjq;
class Txtxx;
class Tlxxc;
class Tllst;
class Tycst;
class Tckct;
class Tksxz;
class Tmnks;
class Tksqr;
class Txxts;
class Tksjl;

// The values the windows share, one each for the whole run. Windows never pass parameters to
// each other: they read these, and each other's Tag.
namespace app {

inline QString ConnString;
inline int PassMark = 90;

inline data::Tado* ado = nullptr;

inline QPointer<Tmain> main;
inline QPointer<Tjtbz> jtbz;
inline QPointer<Tjxjs> jxjs;
inline QPointer<Txccx> xccx;
inline QPointer<Tdtjq> dtjq;
inline QPointer<Txtxx> xtxx;
inline QPointer<Tlxxc> lxxc;
inline QPointer<Tllst> llst;
inline QPointer<Tycst> ycst;
inline QPointer<Tckct> ckct;
inline QPointer<Tksxz> ksxz;
inline QPointer<Tmnks> mnks;
inline QPointer<Tksqr> ksqr;
inline QPointer<Txxts> xxts;
inline QPointer<Tksjl> ksjl;

} // namespace app
