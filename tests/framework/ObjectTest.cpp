// Runtime classes: names, derivation, creation by name, downcasts, and the
// exception classes that ride on them.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "framework/Exceptions.h"
#include "framework/Object.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    int m_radius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CRing : public CCircle {
    DECLARE_DYNCREATE(CRing)
};
IMPLEMENT_DYNCREATE(CRing, CCircle)

class CPlain : public CObject {
public:
    CPlain() = default;
};

} // namespace

TEST(RuntimeClass, DescribesTheClass)
{
    CRuntimeClass* c = RUNTIME_CLASS(CCircle);
    EXPECT_STREQ("CCircle", c->m_lpszClassName);
    EXPECT_EQ(int(sizeof(CCircle)), c->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CShape), c->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CShape)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_EQ(0xFFFFu, c->m_wSchema);

    CRing ring;
    CObject* object = &ring;
    EXPECT_EQ(RUNTIME_CLASS(CRing), object->GetRuntimeClass());
    EXPECT_FALSE(object->IsSerializable());
    // A class without its own declaration answers with its base's class.
    CPlain plain;
    EXPECT_EQ(RUNTIME_CLASS(CObject), plain.GetRuntimeClass());
}

TEST(RuntimeClass, DerivationAndIsKindOf)
{
    CRing ring;
    CCircle circle;
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CRing)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CRing)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_TRUE(RUNTIME_CLASS(CRing)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CRing)));
}

TEST(RuntimeClass, CreationByName)
{
    EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), AfxClassForName("CFileException"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ccircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("NoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));

    CObject* created = CRuntimeClass::CreateObject("CRing");
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(RUNTIME_CLASS(CRing), created->GetRuntimeClass());
    EXPECT_EQ(7, static_cast<CCircle*>(created)->m_radius);
    delete created;

    // Classes that are only dynamic are not creatable.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CShape"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("NoSuchClass"));
}

TEST(RuntimeClass, Downcasts)
{
    CRing ring;
    CCircle circle;
    CObject* pRing = &ring;
    CObject* pCircle = &circle;
    EXPECT_EQ(&ring, DYNAMIC_DOWNCAST(CCircle, pRing));
    EXPECT_EQ(&ring, DYNAMIC_DOWNCAST(CRing, pRing));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CRing, pCircle));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CException, pCircle));
    CObject* none = nullptr;
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, none));
    const CObject* constRing = &ring;
    EXPECT_EQ(&ring, DYNAMIC_DOWNCAST(CShape, constRing));
    EXPECT_EQ(&ring, STATIC_DOWNCAST(CCircle, pRing));
}

TEST(Exceptions, ThrownAsPointersAndDeleted)
{
    try {
        AfxThrowFileException(CFileException::fileNotFound, 2, "missing.txt");
    } catch (CException* e) {
        CFileException* fe = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(nullptr, fe);
        EXPECT_EQ(CFileException::fileNotFound, fe->m_cause);
        EXPECT_EQ(2, fe->m_lOsError);
        EXPECT_TRUE(fe->m_strFileName == "missing.txt");
        char text[200];
        UINT help = 99;
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text, &help));
        EXPECT_EQ(0u, help);
        EXPECT_NE(nullptr, std::strstr(text, "missing.txt"));
        // A small buffer gets a cut but terminated text.
        char small[5];
        EXPECT_TRUE(e->GetErrorMessage(small, sizeof small));
        EXPECT_EQ(4u, std::strlen(small));
        e->Delete();
    }

    try {
        AfxThrowArchiveException(CArchiveException::badSchema);
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
        EXPECT_FALSE(e->GetErrorMessage().IsEmpty());
        e->Delete();
    }

    // Each helper throws its own class.
    struct { void (*thrower)(); CRuntimeClass* cls; } cases[] = {
        { [] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException) },
        { [] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException) },
        { [] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException) },
        { [] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException) },
        { [] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException) },
    };
    for (auto& c : cases) {
        try {
            c.thrower();
            ADD_FAILURE() << "no exception";
        } catch (CException* e) {
            EXPECT_EQ(c.cls, e->GetRuntimeClass());
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CSimpleException)));
            if (c.cls != RUNTIME_CLASS(CUserException)) {
                EXPECT_FALSE(e->GetErrorMessage().IsEmpty());
            }
            e->Delete();
        }
    }

    // An exception object on the stack is not freed by Delete.
    CFileException onStack(CFileException::diskFull);
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete();
    EXPECT_EQ(CFileException::diskFull, onStack.m_cause);
}

TEST(Exceptions, CatchMacrosDeleteUnlessRethrown)
{
    int caught = 0;
    TRY {
        AfxThrowNotSupportedException();
    }
    CATCH(CFileException, e) {
        (void)e;
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CNotSupportedException, e) {
        (void)e;
        ++caught;
    }
    END_CATCH
    EXPECT_EQ(1, caught);

    try {
        TRY {
            AfxThrowFileException(CFileException::accessDenied);
        }
        CATCH_ALL(e) {
            (void)e;
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        e->Delete();
        ++caught;
    }
    EXPECT_EQ(2, caught);
}

TEST(Exceptions, ErrorCodesMapToCauses)
{
    struct { int code; int cause; } windowsCodes[] = {
        { 0, CFileException::none }, { 2, CFileException::fileNotFound }, { 3, CFileException::badPath },
        { 5, CFileException::accessDenied }, { 32, CFileException::sharingViolation },
        { 112, CFileException::diskFull }, { 38, CFileException::endOfFile }, { 9999, CFileException::genericException },
    };
    for (auto& c : windowsCodes)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.code)) << c.code;
    EXPECT_EQ(CFileException::fileNotFound, CFileException::ErrnoToException(ENOENT));
    EXPECT_EQ(CFileException::accessDenied, CFileException::ErrnoToException(EACCES));
    EXPECT_EQ(CFileException::diskFull, CFileException::ErrnoToException(ENOSPC));
}
