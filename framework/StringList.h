#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <vector>

// An ordered list of strings, each with an object beside it (not owned). What holds the strings
// is the derived class's; the texts of the whole list are built here.
class TStrings : public TObject {
public:
    virtual int Count() const = 0;
    virtual AnsiString Get(int index) const = 0;
    virtual void Put(int index, const AnsiString& value);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void InsertObject(int index, const AnsiString& value, TObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Adds at the end and returns the index.
    virtual int AddObject(const AnsiString& value, TObject* object);
    // Index of the first exact match, or -1.
    virtual int IndexOf(const AnsiString& value) const;

    AnsiString operator[](int index) const { return Get(index); }
    AnsiString Strings(int index) const { return Get(index); }
    void SetString(int index, const AnsiString& value) { Put(index, value); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObject(int index, TObject* object) { PutObject(index, object); }
    int Add(const AnsiString& value) { return AddObject(value, nullptr); }
    void Insert(int index, const AnsiString& value) { InsertObject(index, value, nullptr); }
    void AddStrings(const TStrings& other);
    // Becomes a copy of other, strings and objects.
    void Assign(const TStrings& other);

    // Changes between these raise one change notice, at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // The strings one per line, each ended by a line break; set, it splits at CR, LF or CR LF.
    AnsiString GetText() const;
    void SetText(const AnsiString& value);
    // The file's lines as they are in its bytes (a file that is not UTF-8 is read as Windows-1252);
    // a missing file raises EFOpenError, as one that cannot be written raises EFCreateError.
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName) const;

protected:
    bool Updating() const { return updateCount > 0; }
    // The last EndUpdate, or the first BeginUpdate.
    virtual void SetUpdateState(bool) {}

private:
    int updateCount = 0;
};

// Strings held in memory; OnChange follows every change (once per BeginUpdate/EndUpdate).
class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items.size()); }
    AnsiString Get(int index) const override { return (*this)[index]; }
    const AnsiString& operator[](int index) const { return items.at(static_cast<std::size_t>(index)).Text; }
    void Put(int index, const AnsiString& value) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void InsertObject(int index, const AnsiString& value, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const AnsiString& value, TObject* object) override;

    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        AnsiString Text;
        TObject* Object = nullptr;
    };
    void Changed();

    std::vector<Item> items;
};
