#pragma once
// The 78 dimension variables, in their conventional order, with the type in
// which styles and the drawing header store them and the DXF group code of
// the DIMSTYLE table entry (0: the format has none; the file layer keeps
// those in extended data).
//
// X(key, StoredType, dxfGroupCode) — the accessors are dim<key>() and
// setDim<key>(), the variable's name is "DIM" + key in upper case.
#define ODDB_DIMVARS(X)                 \
  X(adec, OdInt16, 179)                 \
  X(alt, bool, 170)                     \
  X(altd, OdUInt16, 171)                \
  X(altf, double, 143)                  \
  X(altrnd, double, 148)                \
  X(alttd, OdInt16, 274)                \
  X(alttz, OdUInt8, 286)                \
  X(altu, OdInt16, 273)                 \
  X(altz, OdUInt8, 285)                 \
  X(apost, OdString, 4)                 \
  X(asz, double, 41)                    \
  X(atfit, OdInt16, 289)                \
  X(aunit, OdInt16, 275)                \
  X(azin, OdInt16, 79)                  \
  X(blk, OdDbObjectId, 342)             \
  X(blk1, OdDbObjectId, 343)            \
  X(blk2, OdDbObjectId, 344)            \
  X(cen, double, 141)                   \
  X(clrd, OdCmColor, 176)               \
  X(clre, OdCmColor, 177)               \
  X(clrt, OdCmColor, 178)               \
  X(dec, OdInt16, 271)                  \
  X(dle, double, 46)                    \
  X(dli, double, 43)                    \
  X(dsep, OdInt16, 278)                 \
  X(exe, double, 44)                    \
  X(exo, double, 42)                    \
  X(frac, OdInt16, 276)                 \
  X(gap, double, 147)                   \
  X(just, OdUInt16, 280)                \
  X(ldrblk, OdDbObjectId, 341)          \
  X(lfac, double, 144)                  \
  X(lim, bool, 72)                      \
  X(lunit, OdInt16, 277)                \
  X(lwd, OdDb::LineWeight, 371)         \
  X(lwe, OdDb::LineWeight, 372)         \
  X(post, OdString, 3)                  \
  X(rnd, double, 45)                    \
  X(sah, bool, 173)                     \
  X(scale, double, 40)                  \
  X(sd1, bool, 281)                     \
  X(sd2, bool, 282)                     \
  X(se1, bool, 75)                      \
  X(se2, bool, 76)                      \
  X(soxd, bool, 175)                    \
  X(tad, OdInt16, 77)                   \
  X(tdec, OdInt16, 272)                 \
  X(tfac, double, 146)                  \
  X(tih, bool, 73)                      \
  X(tix, bool, 174)                     \
  X(tm, double, 48)                     \
  X(tmove, OdInt16, 279)                \
  X(tofl, bool, 172)                    \
  X(toh, bool, 74)                      \
  X(tol, bool, 71)                      \
  X(tolj, OdUInt8, 283)                 \
  X(tp, double, 47)                     \
  X(tsz, double, 142)                   \
  X(tvp, double, 145)                   \
  X(txsty, OdDbObjectId, 340)           \
  X(txt, double, 140)                   \
  X(tzin, OdUInt8, 284)                 \
  X(upt, bool, 288)                     \
  X(zin, OdUInt8, 78)                   \
  X(fxl, double, 49)                    \
  X(fxlon, bool, 290)                   \
  X(jogang, double, 50)                 \
  X(tfill, OdInt16, 69)                 \
  X(tfillclr, OdCmColor, 70)            \
  X(arcsym, OdInt16, 90)                \
  X(ltype, OdDbObjectId, 345)           \
  X(ltex1, OdDbObjectId, 346)           \
  X(ltex2, OdDbObjectId, 347)           \
  X(txtdirection, bool, 294)            \
  X(mzf, double, 0)                     \
  X(mzs, OdString, 0)                   \
  X(altmzf, double, 0)                  \
  X(altmzs, OdString, 0)
