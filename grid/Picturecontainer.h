#pragma once

#include "framework/Collection.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Geometry.h"
#include "framework/Stream.h"

#include <QImage>

#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class QPaintDevice;

using TDownLoadProgressEvent = std::function<void(TObject* Sender, unsigned Size, unsigned Total)>;
using TDownLoadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownLoadErrorEvent = std::function<void(TObject* Sender, const AnsiString& Error)>;

// A picture shown by HTML text: the file's bytes, decoded (BMP, JPEG, PNG, GIF, ICO), with the
// frames of an animated GIF shown one at a time. A failed load, also of a picture larger than
// drawing takes (IsDrawablePictureSize), leaves it empty and raises Exception with the reason.
class THTMLPicture : public TObject {
public:
    THTMLPicture() = default;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    void LoadFromFile(const AnsiString& FileName);
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    // The program's picture ":/pictures/<Name>"; nothing when there is none.
    void LoadFromResourceName(unsigned Instance, const AnsiString& Name);
    void LoadFromResourceID(unsigned Instance, int ResID);
    // "RES://name" and "FILE://path" load; any other address stays empty: nothing is fetched.
    void LoadFromURL(const AnsiString& URL);
    void Assign(const THTMLPicture& Source);
    // The current frame at its size at the canvas's resolution, or stretched into rect.
    void Draw(TCanvas* Canvas, const TRect& rect) const;
    // The current frame's size at PixelsPerInch; 0 when empty.
    int GetWidth() const;
    int GetHeight() const;
    int GetMaxWidth() const { return GetWidth(); }
    int GetMaxHeight() const { return GetHeight(); }
    bool GetEmpty() const { return empty; }
    // A GIF's frames, -1 for any other picture.
    int GetFrameCount() const;
    // Frame's delay in hundredths of a second, -1 when there is no such frame.
    int GetFrameTime(int Frame) const;
    bool IsGIFFile() const;
    int GetFrame() const { return frame; }
    void SetFrame(int Frame);
    void FrameNext();
    void FramePrev();
    // One 100 ms animation tick; true when the frame changed.
    bool Step();
    // The frame shown, as drawn.
    QImage Image() const;

    bool Stretch = false;
    int PixelsPerInchX = 96;
    int PixelsPerInchY = 96;
    AnsiString URL;
    // The address the picture was loaded from, upper-cased: the cache finds it by this.
    AnsiString ID;
    bool Asynchronous = true;
    TNotifyEvent OnFrameChange;
    TNotifyEvent OnChange;
    // Nothing is downloaded here, so these never fire.
    TDownLoadProgressEvent OnDownLoadProgress;
    TDownLoadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownLoadErrorEvent OnDownLoadError;

private:
    // Decodes the bytes; on failure the picture is empty again and Exception raises.
    void LoadPicture();
    void LoadBytes(const QByteArray& bytes);
    void Changed();

    QByteArray data;
    bool empty = true;
    std::vector<QImage> frames;
    // Hundredths of a second per frame.
    std::vector<int> delays;
    int frame = 1;
    int nextSwitch = -1;
    int tickCount = -1;
};

class TPictureItem : public TCollectionItem {
public:
    TPictureItem();
    void Assign(const TPersistent& Source) override;

    const std::unique_ptr<THTMLPicture> Picture;
    AnsiString Name;
    int Tag = 0;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* owner);
    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    // At the end, like Add.
    TPictureItem* Insert(int) { return Add(); }
    TPictureItem* Items(int index) const { return static_cast<TPictureItem*>(GetItem(index)); }
    TComponent* GetOwner() const { return owner; }
    // Every picture one tick on; true when any frame changed.
    bool Animate();

private:
    TComponent* owner;
};

// Named pictures for HTML text's IMG sources.
class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* owner);
    void SetItems(const TPictureCollection& value) { Items.Assign(value); }
    // The picture of the first item named Name in any case; null when none.
    THTMLPicture* FindPicture(const AnsiString& Name) const;

    TPictureCollection Items;
};

// The pictures HTML text loaded by address, kept until ClearPictures.
class THTMLPictureCache {
public:
    THTMLPicture* AddPicture();
    // The picture loaded from URL (upper-cased), null when none.
    THTMLPicture* FindPicture(const AnsiString& URL) const;
    THTMLPicture* GetPicture(int index) const { return pictures.at(static_cast<std::size_t>(index)).get(); }
    void SetPicture(int index, THTMLPicture* Value) {
        pictures.at(static_cast<std::size_t>(index))->Assign(*Value);
    }
    int Count() const { return static_cast<int>(pictures.size()); }
    void ClearPictures() { pictures.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures;
};

enum TPicturePosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched };

// A control showing one picture where PicturePosition puts it.
class THTMLImage : public TControl {
public:
    explicit THTMLImage(TComponent* owner);

    void SetHTMLPicture(const THTMLPicture& value) { HTMLPicture->Assign(value); }
    void SetPicturePosition(TPicturePosition value);
    TPicturePosition GetPicturePosition() const { return position; }
    // Where the picture goes in the control (one rectangle per tile).
    std::vector<TRect> PictureRects() const;
    void ViewPaint(QPainter& painter) override;

    const std::unique_ptr<THTMLPicture> HTMLPicture;
    TDownLoadProgressEvent OnDownLoadProgress;
    TDownLoadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownLoadErrorEvent OnDownLoadError;

protected:
    void Loaded() override;

private:
    // The picture's pixels per inch become the device's.
    void UseResolutionOf(const QPaintDevice* device);

    TPicturePosition position = bpTopLeft;
};
