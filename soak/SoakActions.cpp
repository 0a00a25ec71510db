#include "Soak.h"

void Soak::act(Kind kind)
{
    switch (kind) {
    case TypeIndex: {
        QLineEdit* box = m_boxes[std::size_t(below(3))];
        const QString text = indexText();
        note(QStringLiteral(" %1 \"%2\"").arg(box->objectName(), text.left(30)));
        if (chance(50)) {
            box->setText(text);
        } else {
            box->selectAll();
            if (chance(15))
                QTest::keyClick(box, Qt::Key_Backspace);
            type(box, text);
        }
        break;
    }
    case DrawButton:
    case EnterInBox:
    case DrawMenu:
        plot(kind);
        break;
    case PlotBurst: {
        // Planes typed one after another, as a user fills a plot.
        const int plots = between(2, 12);
        note(QStringLiteral(" %1").arg(plots));
        for (int n = 0; n < plots; ++n) {
            for (QLineEdit* box : m_boxes) {
                box->selectAll();
                type(box, QString::number(between(-4, 4)));
            }
            plot(EnterInBox);
        }
        break;
    }
    case Clear:
        if (chance(50))
            child<QPushButton>("cmdClear")->click();
        else
            child<QAction>("mnuEditCls")->trigger();
        m_pictureChanged = true;
        SOAK_CHECK(m_state.store.PoleCount() == 0, QStringLiteral("a clear left entries"));
        break;
    case Copy:
        copy();
        break;
    case ChooseDocumented: {
        const int row = below(4);
        note(QStringLiteral(" %1").arg(row));
        m_viewItems[row]->trigger();
        SOAK_CHECK(
            m_state.scene.row == &DocumentedViews()[std::size_t(row)] && !m_state.scene.isFree(),
            QStringLiteral("the view chosen is not shown"));
        SOAK_CHECK(m_state.store.PoleCount() == 0 && m_plotSize->currentText() == u"30",
            QStringLiteral("a new view kept entries or the plot size"));
        break;
    }
    case ChooseFree: {
        bool made = false;
        const Crystal settings = randomFree(&made);
        chooseFree(made && chance(90) ? std::optional(settings) : std::nullopt);
        break;
    }
    case CrystalDialog:
        crystalDialog();
        break;
    case PointerMove: {
        const QPoint at = picturePoint();
        note(QStringLiteral(" (%1, %2)").arg(at.x()).arg(at.y()));
        QMouseEvent move(QEvent::MouseMove, QPointF(at), m_picture->mapToGlobal(QPointF(at)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &move);
        if (chance(10)) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(m_picture, &leave);
        }
        break;
    }
    case Click: {
        const QPoint at = picturePoint();
        note(QStringLiteral(" (%1, %2)").arg(at.x()).arg(at.y()));
        const Qt::MouseButton button = chance(90) ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &release);
        // A click in a mark's own pixel picks a pole whose mark reaches it.
        if (m_aimed && button == Qt::LeftButton) {
            const int picked = m_form->pickedPole();
            SOAK_CHECK(picked >= 0, QStringLiteral("a click on a mark picked nothing"));
            // A second crystal's entry has a mark for each variant drawn.
            const Entry& entry = m_state.store.at(picked);
            const Scene& scene = m_state.scene;
            std::vector<Projector> places { scene.placer().of(entry) };
            if (entry.crystal == 1 && scene.second && scene.second->allShown()) {
                for (int n = 2; n <= scene.second->variantCount(); ++n)
                    places.push_back(*scene.secondProjector(n));
            }
            double off = INFINITY;
            for (const Projector& projector : places) {
                const TwipsPoint pole = Place(projector, entry).at;
                off = std::min(off,
                    std::hypot(pole.x - (at.x() + 0.5) * PictureSize::TwipsPerPixel,
                        pole.y - (at.y() + 0.5) * PictureSize::TwipsPerPixel));
            }
            const double reach = m_state.display.plotSize
                + m_state.display.lineWidth * PictureSize::TwipsPerPixel / 2.0;
            SOAK_CHECK(off <= reach, QStringLiteral("the pole picked lies %1 twips off").arg(off));
        }
        break;
    }
    case Drag: {
        const QPoint from = picturePoint();
        QPoint at = from;
        note(QStringLiteral(" from (%1, %2)").arg(at.x()).arg(at.y()));
        const int picked = m_form->pickedPole();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &press);
        // Once the pointer has gone the drag distance, it is no click.
        bool dragged = false;
        const int moves = between(1, 6);
        for (int n = 0; n < moves; ++n) {
            at += QPoint(between(-60, 60), between(-60, 60));
            dragged = dragged || (at - from).manhattanLength() >= QApplication::startDragDistance();
            QMouseEvent move(QEvent::MouseMove, QPointF(at), m_picture->mapToGlobal(QPointF(at)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(m_picture, &move);
        }
        note(QStringLiteral(" to (%1, %2)").arg(at.x()).arg(at.y()));
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &release);
        if (dragged)
            SOAK_CHECK(m_form->pickedPole() == picked,
                QStringLiteral("a drag changed the pick from %1 to %2")
                    .arg(picked)
                    .arg(m_form->pickedPole()));
        break;
    }
    case TurnKey: {
        static constexpr Qt::Key Keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_BracketLeft, Qt::Key_BracketRight, Qt::Key_Escape, Qt::Key_A };
        const Qt::Key key = Keys[below(int(std::size(Keys)))];
        const Qt::KeyboardModifiers modifiers = chance(30) ? Qt::ShiftModifier : Qt::NoModifier;
        note(QStringLiteral(" %1%2")
                 .arg(modifiers != Qt::NoModifier ? QStringLiteral("shift+") : QString())
                 .arg(int(key), 0, 16));
        QTest::keyClick(m_picture, key, modifiers);
        if (key == Qt::Key_Escape)
            SOAK_CHECK(m_form->pickedPole() == -1, QStringLiteral("Escape left a pick"));
        break;
    }
    case ListKeys: {
        static constexpr Qt::Key Keys[] = { Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right };
        QPlainTextEdit* list = m_lists[std::size_t(below(2))];
        const int presses = between(1, 5);
        for (int n = 0; n < presses; ++n) {
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            if (chance(20))
                modifiers |= Qt::ShiftModifier;
            if (chance(15))
                modifiers |= Qt::ControlModifier;
            QTest::keyClick(list, Keys[below(int(std::size(Keys)))], modifiers);
        }
        note(QStringLiteral(" %1").arg(list->objectName()));
        break;
    }
    case ListTyping: {
        QPlainTextEdit* list = m_lists[std::size_t(below(2))];
        note(QStringLiteral(" %1").arg(list->objectName()));
        switch (below(4)) {
        case 0:
            type(list, indexText());
            break;
        case 1:
            QTest::keyClick(list, chance(50) ? Qt::Key_Return : Qt::Key_Backspace);
            break;
        case 2:
            QTest::keyClick(list, Qt::Key_Delete);
            break;
        default: {
            QTextCursor cursor(list->document());
            const int length = list->document()->characterCount() - 1;
            cursor.setPosition(below(length + 1));
            if (chance(30))
                cursor.setPosition(
                    std::min(length, cursor.position() + below(40)), QTextCursor::KeepAnchor);
            cursor.insertText(chance(50) ? garbage(20) : QStringLiteral("(1 0 0)\n"));
            break;
        }
        }
        m_listsTyped = true;
        break;
    }
    case PlotSize: {
        if (chance(60)) {
            const int index = below(m_plotSize->count());
            note(QStringLiteral(" item %1").arg(index));
            m_plotSize->setCurrentIndex(index);
            emit m_plotSize->activated(index);
        } else {
            const Qt::Key key = chance(50) ? Qt::Key_Down : Qt::Key_Up;
            note(QStringLiteral(" key %1").arg(int(key), 0, 16));
            QTest::keyClick(m_plotSize, key);
        }
        break;
    }
    case LineWidthPick: {
        const int index = below(m_lineWidth->count());
        note(QStringLiteral(" item %1").arg(index));
        if (chance(50)) {
            m_lineWidth->setCurrentIndex(index);
            emit m_lineWidth->activated(index);
        } else {
            QTest::keyClick(m_lineWidth, chance(50) ? Qt::Key_Down : Qt::Key_Up);
        }
        break;
    }
    case LineWidthTyped: {
        static const QStringList widths
            = { "1", "2", "3", "5", "10", "0", "99", "100", "101", "999", "", "007" };
        const QString text = chance(60) ? widths[below(int(widths.size()))] : garbage(6);
        note(QStringLiteral(" \"%1\"").arg(text));
        m_lineWidth->lineEdit()->selectAll();
        if (chance(20)) {
            // As a screen reader or an automation tool sets it, past the
            // box's own limits.
            note(QStringLiteral(" around the box"));
            QAccessible::queryAccessibleInterface(m_lineWidth->lineEdit())
                ->editableTextInterface()
                ->replaceText(0, int(m_lineWidth->currentText().size()), text);
        } else if (text.isEmpty())
            QTest::keyClick(m_lineWidth->lineEdit(), Qt::Key_Backspace);
        else
            type(m_lineWidth->lineEdit(), text);
        if (chance(20))
            QTest::keyClick(m_lineWidth->lineEdit(), Qt::Key_Return);
        break;
    }
    case DirectionToggle: {
        const bool was = m_direction->isChecked();
        m_direction->trigger();
        note(QStringLiteral(" now %1").arg(m_direction->isChecked()));
        SOAK_CHECK(m_direction->isEnabled() ? m_direction->isChecked() != was
                                            : m_direction->isChecked() == was,
            QStringLiteral("the direction item did not toggle as enabled"));
        break;
    }
    case FamilyToggle: {
        const bool was = m_family->isChecked();
        m_family->trigger();
        note(QStringLiteral(" now %1").arg(m_family->isChecked()));
        SOAK_CHECK(
            m_family->isEnabled() ? m_family->isChecked() != was : m_family->isChecked() == was,
            QStringLiteral("the family item did not toggle as enabled"));
        break;
    }
    case SaveSession:
        saveSession();
        break;
    case SavePicture:
        savePicture();
        break;
    case SaveList:
        saveList();
        break;
    case SaveFailing:
        saveFailing();
        break;
    case OpenSaved:
        openSaved();
        break;
    case OpenMangled:
        openMangled();
        break;
    case OpenCancelledOrMissing:
        if (chance(50)) {
            const Snapshot before = snapshot();
            m_dialogs.clear();
            child<QAction>(chance(50) ? "mnuFileOpen" : "mnuFileSaveAsSession")->trigger();
            SOAK_CHECK(
                m_dialogs.messages.isEmpty(), QStringLiteral("a cancelled dialog said something"));
            expectUnchanged(before, QStringLiteral("a cancelled dialog"));
        } else {
            openFile(m_dir.filePath(QStringLiteral("missing-%1.orvandeler").arg(m_step)), nullptr);
        }
        break;
    case FillStore:
        fillStore();
        break;
    case VersionDialog:
        versionDialog();
        break;
    case OrientationWindow:
        orientationWindow();
        break;
    case SecondCrystalAction:
        secondCrystal();
        break;
    case Expose: {
        QExposeEvent expose(QRegion(m_form->rect()));
        QCoreApplication::sendEvent(m_form->windowHandle(), &expose);
        break;
    }
    case CloseAndShow:
        closeAndShow();
        break;
    case KindCount:
        break;
    }
}

void Soak::plot(Kind kind)
{
    const QString x = m_boxes[0]->text(), y = m_boxes[1]->text(), z = m_boxes[2]->text();
    note(QStringLiteral(" (%1 | %2 | %3)").arg(x.left(20), y.left(20), z.left(20)));
    // A crystal written in four indices reads a fourth box, i = -(h + k)
    // unless typed otherwise.
    auto* third = child<QLineEdit>("txtAxisI");
    QStringList texts { x, y, z };
    if (third->isVisible())
        texts.insert(2, third->text());
    PoleStore expected = m_state.store;
    const TypedEntry typed
        = ReadTypedEntry(texts, targetCrystal(), expected, plottedKind(), plottedWith());
    for (Entry entry : typed.entries) {
        entry.crystal = target();
        expected.append(entry);
    }
    const DrawCommandResult result { typed.messages, !typed.entries.empty() };
    const Snapshot before = snapshot();
    m_dialogs.clear();
    if (kind == DrawButton)
        child<QPushButton>("cmdDraw")->click();
    else if (kind == EnterInBox)
        QTest::keyClick(m_boxes[std::size_t(below(3))], Qt::Key_Return);
    else
        child<QAction>("mnuEditDraw")->trigger();
    SOAK_CHECK(m_dialogs.messages == result.messages,
        QStringLiteral("the plot said \"%1\", not \"%2\"")
            .arg(m_dialogs.messages.join(u'|'), result.messages.join(u'|')));
    SOAK_CHECK(m_state.store.entries() == expected.entries(),
        QStringLiteral("the plot stored other entries"));
    if (!result.added)
        expectUnchanged(before, QStringLiteral("a refused plot"));
}

void Soak::chooseFree(std::optional<Crystal> answer)
{
    const bool wasFree = m_state.scene.isFree();
    const int count = m_state.store.PoleCount();
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFreeView = answer;
    m_viewItems[4]->trigger();
    SOAK_CHECK(m_state.scene.isFree(), QStringLiteral("the free view is not chosen"));
    SOAK_CHECK(
        m_dialogs.freeViewDialogs.size() == 1, QStringLiteral("the crystal dialog was not asked"));
    // A crystal that cannot show an entry kept is refused.
    if (!m_dialogs.messages.isEmpty()) {
        SOAK_CHECK(wasFree && answer && m_dialogs.messages.size() == 1,
            QStringLiteral("choosing the free view said: %1").arg(m_dialogs.messages.join(u'|')));
        note(QStringLiteral(" refused: %1").arg(m_dialogs.messages[0]));
        expectUnchanged(before, QStringLiteral("a refused crystal"));
        return;
    }
    if (answer)
        SOAK_CHECK(m_state.free == *answer, QStringLiteral("the crystal answered is not shown"));
    SOAK_CHECK(m_state.store.PoleCount() == (wasFree ? count : 0),
        QStringLiteral("choosing the free view kept %1 of %2 entries")
            .arg(m_state.store.PoleCount())
            .arg(count));
}

// The dialog itself, fields typed at random: reading them never fails
// hard, OK takes only settings that make a view and otherwise says why.
void Soak::crystalDialog()
{
    frmCrystal dialog(m_state.free, m_form.get());
    dialog.setVisible(true);
    if (chance(40)) {
        auto* presets = dialog.findChild<QComboBox*>(QStringLiteral("cboPreset"));
        const int index = below(presets->count());
        presets->setCurrentIndex(index);
        emit presets->activated(index);
        note(QStringLiteral(" preset %1").arg(index));
    }
    if (chance(50)) {
        auto* systems = dialog.findChild<QComboBox*>(QStringLiteral("cboSystem"));
        if (chance(50))
            systems->setCurrentIndex(below(systems->count()));
        else
            QTest::keyClick(systems, chance(50) ? Qt::Key_Down : Qt::Key_Up);
        note(QStringLiteral(" system %1").arg(systems->currentIndex()));
    }
    static const char* const Fields[] = { "txtA", "txtB", "txtC", "txtAlpha", "txtBeta", "txtGamma",
        "txtCentreU", "txtCentreV", "txtCentreW", "txtUpU", "txtUpV", "txtUpW", "txtSpaceGroup" };
    static const QStringList odd = { "", "0", "-1", "90", "180", "0.0001", "1e308", "1e400", "nan",
        "inf", QStringLiteral("１２０"), "abc", " 3 ", "120", "60", "-0", "F m -3 m", "P63/mmc",
        "R -3 m", "I 41/a m d", "P 1 1 2", "230", "231" };
    const int typed = between(0, 5);
    for (int n = 0; n < typed; ++n) {
        auto* box = dialog.findChild<QLineEdit*>(QLatin1String(Fields[below(13)]));
        QString text;
        switch (below(4)) {
        case 0:
            text = QString::number(uniform(0.5, 15), 'g', 5);
            break;
        case 1:
            text = QString::number(between(-3, 3));
            break;
        case 2:
            text = odd[below(int(odd.size()))];
            break;
        default:
            text = garbage(10);
            break;
        }
        note(QStringLiteral(" %1=\"%2\"").arg(box->objectName(), text));
        box->setText(text);
    }
    if (chance(30))
        dialog.findChild<QSpinBox*>(QStringLiteral("spnLimit"))->setValue(between(0, 11));
    if (chance(30))
        dialog.findChild<QCheckBox*>(QStringLiteral("chkZoneCircles"))->toggle();
    if (chance(30))
        dialog.findChild<QCheckBox*>(QStringLiteral("chkWulffNet"))->toggle();
    if (chance(30))
        dialog.findChild<QCheckBox*>(QStringLiteral("chkAbsences"))->toggle();

    const std::variant<Crystal, QString> read = dialog.settings();
    const Crystal* made = std::get_if<Crystal>(&read);
    if (made) {
        const Vector3 centre = made->centre(), up = made->up();
        for (int k = 0; k < 3; ++k)
            SOAK_CHECK(std::isfinite(centre[k]) && std::isfinite(up[k]),
                QStringLiteral("the dialog's directions are not finite"));
    } else {
        SOAK_CHECK(
            !std::get<QString>(read).isEmpty(), QStringLiteral("a refusal without a reason"));
        note(QStringLiteral(" refused: %1").arg(std::get<QString>(read)));
    }

    // OK, as the user presses it: a refusal is a message box over the
    // dialog, which the user closes.
    if (chance(30)) {
        int boxes = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&boxes] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    ++boxes;
                    box->done(QMessageBox::Ok);
                }
        });
        closer.start(0);
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();
        closer.stop();
        SOAK_CHECK(made ? dialog.result() == QDialog::Accepted && boxes == 0 && !dialog.isVisible()
                        : dialog.result() != QDialog::Accepted && boxes == 1 && dialog.isVisible(),
            QStringLiteral("OK in the dialog did not take or refuse its settings"));
    }
    dialog.setVisible(false);
    if (made && chance(50)) {
        note(QStringLiteral(" taken"));
        chooseFree(*made);
    }
}

void Soak::copy()
{
    m_dialogs.clear();
    if (chance(50))
        child<QPushButton>("cmdCopy")->click();
    else
        child<QAction>("mnuEditCopy")->trigger();
    SOAK_CHECK(m_dialogs.messages.size() == 1, QStringLiteral("the copy said nothing"));
    if (chance(50)) {
        note(QStringLiteral(" left unread"));
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    SOAK_CHECK(data, QStringLiteral("nothing on the clipboard"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    SOAK_CHECK(image.size() == m_form->surface().image().size(),
        QStringLiteral("the copied bitmap is %1 × %2").arg(image.width()).arg(image.height()));
    const QByteArray svg = data->data(PictureMimeData::SvgType);
    SOAK_CHECK(svg.startsWith("<?xml") && svg.trimmed().endsWith("</svg>"),
        QStringLiteral("the copied SVG is not whole"));
    const QByteArray pdf = data->data(PictureMimeData::PdfType);
    SOAK_CHECK(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"),
        QStringLiteral("the copied PDF is not whole"));
    note(QStringLiteral(" svg %1 pdf %2 bytes").arg(svg.size()).arg(pdf.size()));
}

void Soak::saveSession()
{
    QString path;
    m_dialogs.clear();
    if (chance(30)) {
        // Over the session's own file, or asked for one when it has none.
        const QString name = m_dir.filePath(QStringLiteral("session-%1").arg(++m_fileNumber));
        m_dialogs.nextFiles = { { name, 0 } };
        child<QAction>("mnuFileSave")->trigger();
        SOAK_CHECK(m_dialogs.saveDialogs.isEmpty() == !m_sessionPath.isEmpty(),
            QStringLiteral("上書き保存 asked %1 times with a session file \"%2\"")
                .arg(m_dialogs.saveDialogs.size())
                .arg(m_sessionPath));
        // Its own file is replaced without a question unless it was changed.
        const bool asks = !m_sessionPath.isEmpty() && m_sessionChanged;
        SOAK_CHECK(m_dialogs.questions.size() == (asks ? 1 : 0),
            QStringLiteral("上書き保存 asked %1 questions").arg(m_dialogs.questions.size()));
        path = m_sessionPath.isEmpty() ? name + QStringLiteral(".orvandeler") : m_sessionPath;
        m_dialogs.nextFiles.clear();
    } else {
        const QString base = m_dir.filePath(QStringLiteral("session-%1").arg(++m_fileNumber));
        const QString name = ChosenName(base, QStringLiteral("orvandeler"), below(100));
        m_dialogs.nextFiles = { { name, 0 } };
        child<QAction>("mnuFileSaveAsSession")->trigger();
        path = name == base ? base + QStringLiteral(".orvandeler") : name;
    }
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    m_sessionPath = path;
    m_sessionChanged = false;
    const std::variant<OpenedWork, QString> again = OpenWorkFile(path, m_state);
    const OpenedWork* work = std::get_if<OpenedWork>(&again);
    SOAK_CHECK(work && work->session,
        QStringLiteral("the saved session does not open: %1")
            .arg(work ? QString() : std::get<QString>(again)));
    SOAK_CHECK(SameAsListed(work->store.entries(), Grouped(m_state.store.entries()), false),
        QStringLiteral("the saved session holds other entries"));
    SOAK_CHECK(
        work->display == m_state.display, QStringLiteral("the saved session holds other settings"));
    SOAK_CHECK(m_state.scene.isFree() ? work->free.has_value() : work->row == m_state.scene.row,
        QStringLiteral("the saved session holds another view"));
    checkReopened(*work);
    keep({ path, SavedKind::Session, Grouped(m_state.store.entries()), m_state.scene.row,
        m_state.scene.isFree(), m_state.scene.crystal.fourIndices(), m_state.display });
}

void Soak::savePicture()
{
    static const char* const Extensions[] = { "png", "svg", "pdf", "jpg" };
    static constexpr SavedKind Types[]
        = { SavedKind::Png, SavedKind::Svg, SavedKind::Pdf, SavedKind::Jpeg };
    const int filter = below(4);
    const QString base = m_dir.filePath(QStringLiteral("picture-%1").arg(++m_fileNumber));
    const QString name = ChosenName(base, QLatin1String(Extensions[filter]), below(100));
    const QString path = name == base ? base + u'.' + QLatin1String(Extensions[filter]) : name;
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, filter } };
    child<QAction>("mnuFileSaveAsPic")->trigger();
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    QFile file(path);
    SOAK_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the picture was not written"));
    const QByteArray bytes = file.readAll();
    if (filter == 0 || filter == 3) {
        QImage image;
        SOAK_CHECK(image.loadFromData(bytes) && image.width() > 2000,
            QStringLiteral("the saved bitmap does not load"));
    } else if (filter == 1) {
        SOAK_CHECK(bytes.startsWith("<?xml") && bytes.trimmed().endsWith("</svg>"),
            QStringLiteral("the saved SVG is not whole"));
    } else {
        SOAK_CHECK(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"),
            QStringLiteral("the saved PDF is not whole"));
    }
    keep({ path, Types[filter], {}, nullptr, false, false, {} });
}

void Soak::saveList()
{
    const bool angles = chance(40);
    const int filter = chance(70) ? 0 : 1;
    const QString extension = filter == 0 ? QStringLiteral("txt") : QStringLiteral("csv");
    const QString base = m_dir.filePath(
        QStringLiteral("%1-%2").arg(angles ? "angles" : "planes").arg(++m_fileNumber));
    const QString name = ChosenName(base, extension, below(100));
    const QString path = name == base ? base + u'.' + extension : name;
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, filter } };
    child<QAction>(angles ? "mnuFileSaveAsAngle" : "mnuFileSaveAsIndex")->trigger();
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    QFile file(path);
    SOAK_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the list was not written"));
    const QByteArray bytes = file.readAll();
    const qsizetype lines = bytes.count('\n');
    const int count = m_state.store.PoleCount();
    SOAK_CHECK(lines == count + (filter == 1 ? 1 : 0),
        QStringLiteral("the saved list has %1 lines for %2 entries").arg(lines).arg(count));
    const SavedKind type = filter == 1 ? SavedKind::Csv
        : angles                       ? SavedKind::AngleList
                                       : SavedKind::IndexList;
    if (type == SavedKind::IndexList) {
        // It plots the same entries again in the same view, none for none.
        RunState empty;
        empty.scene = m_state.scene;
        empty.free = m_state.free;
        const std::variant<OpenedWork, QString> again = OpenWorkFile(path, empty);
        const OpenedWork* work = std::get_if<OpenedWork>(&again);
        SOAK_CHECK(work
                && SameAsListed(work->store.entries(), m_state.store.entries(),
                    m_state.scene.crystal.fourIndices()
                        || (m_state.scene.second && m_state.scene.second->fourIndices())),
            QStringLiteral("the saved index list does not open to the same entries: %1")
                .arg(work ? QString() : std::get<QString>(again)));
    }
    const std::vector<Entry>& entries = m_state.store.entries();
    const bool ofSecond = std::any_of(
        entries.begin(), entries.end(), [](const Entry& e) { return e.crystal == 1; });
    keep({ path, type, entries, m_state.scene.row, m_state.scene.isFree(),
        m_state.scene.crystal.fourIndices(), {},
        ofSecond ? std::optional(m_state.scene.second->fourIndices()) : std::nullopt });
}

void Soak::saveFailing()
{
    const QString folder = chance(50) ? QStringLiteral("missing") : QStringLiteral("plain");
    const QString name = m_dir.filePath(folder + QStringLiteral("/x-%1").arg(m_step));
    static const char* const Items[] = { "mnuFileSaveAsSession", "mnuFileSaveAsPic",
        "mnuFileSaveAsIndex", "mnuFileSaveAsAngle" };
    const char* item = Items[below(4)];
    note(QStringLiteral(" %1 into %2").arg(QLatin1String(item), folder));
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, below(2) } };
    child<QAction>(item)->trigger();
    SOAK_CHECK(m_dialogs.messages.size() == 1,
        QStringLiteral("a failed save said %1 things").arg(m_dialogs.messages.size()));
    expectUnchanged(before, QStringLiteral("a failed save"));
    SOAK_CHECK(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing"))),
        QStringLiteral("a failed save made a folder"));
}

void Soak::openSaved()
{
    if (m_saved.empty()) {
        openFile(m_dir.filePath(QStringLiteral("plain")), nullptr);
        return;
    }
    // Sessions most, since each replaces everything shown; a full one now
    // and then, since it takes a second or two.
    SavedFile saved = pick(m_saved);
    for (int tries = 0; tries < 3
         && (saved.type != SavedKind::Session || saved.entries.size() > 1000) && chance(70);
         ++tries)
        saved = pick(m_saved);
    openFile(saved.path, &saved);
}

void Soak::openMangled()
{
    if (m_saved.empty())
        return;
    const SavedFile& saved = pick(m_saved);
    QFile file(saved.path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    file.close();
    const int how = below(5);
    switch (how) {
    case 0: { // bytes flipped
        const int flips = between(1, 6);
        for (int n = 0; n < flips && !bytes.isEmpty(); ++n) {
            const qsizetype at = below(int(bytes.size()));
            bytes[at] = char(bytes[at] ^ char(1 << below(8)));
        }
        break;
    }
    case 1: // truncated
        bytes.truncate(below(int(bytes.size()) + 1));
        break;
    case 2: { // a stretch duplicated
        const qsizetype from = below(int(bytes.size()) + 1);
        const qsizetype length = below(int(std::min<qsizetype>(bytes.size() - from, 4000)) + 1);
        bytes.insert(from, bytes.mid(from, length));
        break;
    }
    case 3: { // lines shuffled
        QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype n = lines.size() - 1; n > 0; --n)
            std::swap(lines[n], lines[below(int(n) + 1)]);
        bytes = lines.join('\n');
        break;
    }
    default: { // a line replaced by garbage
        QList<QByteArray> lines = bytes.split('\n');
        lines[below(int(lines.size()))] = garbage(30).toUtf8();
        bytes = lines.join('\n');
        break;
    }
    }
    // Sometimes read as the other kind of file.
    QString extension = QFileInfo(saved.path).suffix();
    if (chance(10))
        extension
            = extension == u"orvandeler" ? QStringLiteral("txt") : QStringLiteral("orvandeler");
    const QString path
        = m_dir.filePath(QStringLiteral("mangled-%1.%2").arg(m_step % 8).arg(extension));
    note(QStringLiteral(" %1 (way %2, from %3)")
             .arg(QFileInfo(path).fileName())
             .arg(how)
             .arg(QFileInfo(saved.path).fileName()));
    // A session opened from here and saved over is a saved file no more.
    if (path == m_sessionPath)
        m_sessionChanged = true;
    std::erase_if(m_saved, [&](const SavedFile& kept) { return kept.path == path; });
    QFile out(path);
    SOAK_CHECK(
        out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size(),
        QStringLiteral("cannot write %1").arg(path));
    out.close();
    openFile(path, nullptr);
}

// Opens through the menu; what the file holds is worked out first by the
// same reading, and a file the window saved must open as it was saved.
void Soak::openFile(const QString& path, const SavedFile* saved)
{
    note(QStringLiteral(" open %1").arg(QFileInfo(path).fileName()));
    const std::variant<OpenedWork, QString> expected = OpenWorkFile(path, m_state);
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFiles = { { path, below(2) } };
    child<QAction>("mnuFileOpen")->trigger();
    if (const QString* why = std::get_if<QString>(&expected)) {
        note(QStringLiteral(" refused"));
        SOAK_CHECK(m_dialogs.messages == QStringList { *why },
            QStringLiteral("a refused open said \"%1\"").arg(m_dialogs.messages.join(u'|')));
        expectUnchanged(before, QStringLiteral("a refused open"));
        const bool mustOpen = saved
            && (saved->type == SavedKind::Session
                || (saved->type == SavedKind::IndexList && before.row == saved->row
                    && before.freeChosen == saved->free
                    && m_state.scene.crystal.fourIndices() == saved->fourIndices
                    && (!saved->secondFourIndices
                        || (m_state.scene.second
                            && m_state.scene.second->fourIndices() == *saved->secondFourIndices))
                    && before.entries.size() + saved->entries.size()
                        <= std::size_t(PoleStore::MaxPoles)));
        SOAK_CHECK(
            !mustOpen, QStringLiteral("a file the window saved does not open: %1").arg(*why));
        return;
    }
    const OpenedWork& work = std::get<OpenedWork>(expected);
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("opening said: %1").arg(m_dialogs.messages.join(u'|')));
    SOAK_CHECK(m_state.store.entries() == work.store.entries(),
        QStringLiteral("the opened file gave other entries"));
    if (work.session) {
        m_sessionPath = path;
        m_sessionChanged = false;
    }
    m_pictureChanged = true;
    if (!saved)
        return;
    if (saved->type == SavedKind::Session) {
        SOAK_CHECK(SameAsListed(m_state.store.entries(), saved->entries, false)
                && m_state.scene.row == saved->row && m_state.scene.isFree() == saved->free,
            QStringLiteral("the session opened is not the one saved"));
        SOAK_CHECK(m_state.display == saved->display,
            QStringLiteral("the session's settings were not taken"));
    } else if (saved->type == SavedKind::IndexList && before.row == saved->row
        && before.freeChosen == saved->free) {
        std::vector<Entry> sum = before.entries;
        sum.insert(sum.end(), saved->entries.begin(), saved->entries.end());
        SOAK_CHECK(SameAsListed(m_state.store.entries(), sum, saved->fourIndices),
            QStringLiteral("the index list did not add its entries"));
    }
}

// Near the store's limit in one go, as opening a long index list does;
// now and then one more than fits, which is refused whole.
void Soak::fillStore()
{
    const int count = m_state.store.PoleCount();
    const int wanted = chance(20) ? PoleStore::MaxPoles + 1 - count
                                  : PoleStore::MaxPoles - between(0, 20) - count;
    if (wanted <= 0)
        return;
    QByteArray bytes;
    bytes.reserve(wanted * 12);
    for (int n = 0; n < wanted; ++n) {
        int h = between(-40, 40), k = between(-40, 40), l = between(-40, 40);
        if (h == 0 && k == 0 && l == 0)
            l = 1;
        bytes += QByteArray::number(h) + ' ' + QByteArray::number(k) + ' ' + QByteArray::number(l)
            + '\n';
    }
    const QString path = m_dir.filePath(QStringLiteral("many.txt"));
    QFile file(path);
    SOAK_CHECK(
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        QStringLiteral("cannot write %1").arg(path));
    file.close();
    note(QStringLiteral(" %1 lines onto %2").arg(wanted).arg(count));
    openFile(path, nullptr);
}

void Soak::versionDialog()
{
    child<QAction>("mnuHelpVersion")->trigger();
    process();
    SOAK_CHECK(
        !m_form->isEnabled(), QStringLiteral("the window takes input under the version dialog"));
    QDialog* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            about = dialog;
    SOAK_CHECK(about, QStringLiteral("no version dialog"));
    // The window's close box is refused meanwhile.
    if (chance(30)) {
        m_form->close();
        SOAK_CHECK(
            m_form->isVisible(), QStringLiteral("the window closed under the version dialog"));
    }
    switch (below(3)) {
    case 0:
        about->close();
        break;
    case 1:
        QTest::keyClick(about, Qt::Key_Escape);
        break;
    default:
        if (auto* ok = about->findChild<QPushButton*>())
            ok->click();
        else
            about->close();
        break;
    }
    process();
    SOAK_CHECK(m_form->isEnabled(), QStringLiteral("the window stays disabled"));
}

void Soak::closeAndShow()
{
    child<QAction>("mnuFileEnd")->trigger();
    SOAK_CHECK(!m_form->isVisible(), QStringLiteral("終了 left the window open"));
    m_form->show();
    SOAK_CHECK(
        QTest::qWaitForWindowExposed(m_form.get()), QStringLiteral("the window did not show"));
}

QString Soak::angleText(double low, double high)
{
    static const QStringList odd = { "", "0", "-0", "180", "360", "-360", "90", "1e400", "nan",
        "inf", QStringLiteral("−３０"), "abc", " 3 ", "30.0000000001" };
    switch (below(4)) {
    case 0:
        return odd[below(int(odd.size()))];
    case 1:
        return garbage(8);
    default:
        return QString::number(uniform(low, high), 'f', between(0, 6));
    }
}

// The orientation window, typed into and picked at random: what it takes
// turns or tilts the crystal and nothing else, keeping the tilt within its
// limits; what it refuses says why and changes nothing.
void Soak::orientationWindow()
{
    auto* item = child<QAction>("mnuEditOrientation");
    if (!item->isEnabled()) {
        note(QStringLiteral(" (not the free view)"));
        return;
    }
    item->trigger();
    auto* window = m_form->findChild<frmOrientation*>();
    SOAK_CHECK(window && window->isVisible(), QStringLiteral("the orientation window is not open"));
    m_dialogs.messages.clear();
    const auto field
        = [window](const char* name) { return window->findChild<QLineEdit*>(QLatin1String(name)); };
    const auto typeAndEnter = [&](QLineEdit* box, const QString& text) {
        note(QStringLiteral(" %1=\"%2\"").arg(box->objectName(), text));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        type(box, text);
    };
    Snapshot before = snapshot();
    const std::vector<Entry> entries = m_state.store.entries();
    switch (below(7)) {
    case 0: {
        for (const char* name : { "txtPhi1", "txtPhi", "txtPhi2" })
            if (chance(70))
                typeAndEnter(field(name), angleText(-400, 400));
        QTest::keyClick(field("txtPhi"), Qt::Key_Return);
        break;
    }
    case 1:
        for (const char* name : { "txtAlpha", "txtBeta" })
            if (chance(70))
                typeAndEnter(field(name), angleText(-40, 40));
        QTest::keyClick(field("txtAlpha"), Qt::Key_Return);
        break;
    case 2:
        typeAndEnter(field(chance(50) ? "txtAlphaLimit" : "txtBetaLimit"), angleText(-5, 95));
        QTest::keyClick(field("txtAlphaLimit"), Qt::Key_Return);
        break;
    case 3: {
        auto* list = window->findChild<QTreeWidget*>(QStringLiteral("lstZoneAxes"));
        const int row = below(list->topLevelItemCount());
        note(QStringLiteral(" zone %1 %2").arg(row).arg(list->topLevelItem(row)->text(0)));
        list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key_Return);
        break;
    }
    case 4: {
        // Two poles where the crystal has them, measured up to 6 degrees off,
        // or anything at all.
        const Crystal& crystal = m_state.scene.crystal;
        const CrystalOrientation drawn = crystal.orientation.drawn();
        for (int n = 1; n <= 2; ++n) {
            const Index3 index { int16_t(between(-3, 3)), int16_t(between(-3, 3)),
                int16_t(between(-3, 3)) };
            const IndexKind kind = chance(50) ? IndexKind::Plane : IndexKind::Direction;
            const std::optional<Vector3> v = UnitVectorOf(crystal.lattice, kind, index);
            const SamplePlace place = v ? PlaceOf(drawn.toSample(*v)) : SamplePlace {};
            const QString prefix = QStringLiteral("txtPole%1").arg(n);
            field(prefix.toLatin1())
                ->setText(chance(90) ? IndexText(kind, index, crystal.fourIndices()) : garbage(8));
            field((prefix + QStringLiteral("Polar")).toLatin1())
                ->setText(QString::number(place.polar + uniform(-3, 3), 'f', 3));
            field((prefix + QStringLiteral("Azimuth")).toLatin1())
                ->setText(chance(90) ? QString::number(place.azimuth + uniform(-3, 3), 'f', 3)
                                     : angleText(-400, 400));
            note(QStringLiteral(" %1 %2").arg(field(prefix.toLatin1())->text()).arg(n));
        }
        window->findChild<QPushButton*>(QStringLiteral("cmdSolveTwoPoles"))->click();
        break;
    }
    case 5: {
        // The double-click's first click may pick; the tilt comes with the second.
        const QPoint at = picturePoint();
        note(QStringLiteral(" double-click (%1, %2)").arg(at.x()).arg(at.y()));
        QTest::mouseClick(m_picture, Qt::LeftButton, {}, at);
        before = snapshot();
        QTest::mouseDClick(m_picture, Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_picture, Qt::LeftButton, {}, at);
        break;
    }
    default: {
        auto* pick = window->findChild<QPushButton*>(
            chance(50) ? QStringLiteral("cmdPole1Pick") : QStringLiteral("cmdPole2Pick"));
        pick->click();
        const QPoint at = picturePoint();
        note(QStringLiteral(" place (%1, %2)").arg(at.x()).arg(at.y()));
        const int picked = m_form->pickedPole();
        QTest::mouseClick(m_picture, Qt::LeftButton, {}, at);
        SOAK_CHECK(m_form->pickedPole() == picked,
            QStringLiteral("a place picked for a pole picked a mark"));
        break;
    }
    }
    process();
    if (!m_dialogs.messages.isEmpty()) {
        note(QStringLiteral(" refused: %1").arg(m_dialogs.messages.join(u' ')));
        expectUnchanged(before, QStringLiteral("the refused orientation"));
    }
    const HeldOrientation& held = m_state.free.orientation;
    SOAK_CHECK(WithinReach(held.tilt, held.limits),
        QStringLiteral("the tilt %1 is beyond its limits").arg(TiltText(held.tilt)));
    SOAK_CHECK(m_state.store.entries() == entries,
        QStringLiteral("the orientation window changed the entries"));
    if (chance(20))
        QTest::keyClick(window, Qt::Key_Escape);
    if (chance(10))
        window->close();
}

int8_t Soak::target()
{
    return m_state.scene.second && child<QComboBox>("cboCrystal")->currentIndex() == 1 ? 1 : 0;
}

Crystal Soak::targetCrystal()
{
    return target() == 1 ? m_state.scene.second->crystal() : m_state.scene.crystal;
}

// Places a second crystal at random against the first (a named
// relationship, a typed one, a twin, an orientation of its own; one variant
// or all), takes it away, or turns the boxes to the other crystal.
void Soak::secondCrystal()
{
    auto* item = child<QAction>("mnuEditSecond");
    if (!item->isEnabled()) {
        note(QStringLiteral(" (not the free view)"));
        return;
    }
    auto* combo = child<QComboBox>("cboCrystal");
    const int roll = below(10);
    if (roll < 3) {
        SOAK_CHECK(combo->isVisible() == m_state.scene.twoCrystals(),
            QStringLiteral("the crystal box is %1").arg(combo->isVisible() ? "shown" : "hidden"));
        if (m_state.scene.second) {
            combo->setCurrentIndex(1 - combo->currentIndex());
            note(QStringLiteral(" plots into %1").arg(combo->currentIndex() + 1));
        }
        return;
    }
    UserDialogs::SecondCrystalAnswer answer;
    if (roll < 9) {
        const Crystal& first = m_state.scene.crystal;
        const NamedRelationshipRow& row
            = NamedRelationships()[std::size_t(below(int(NamedRelationships().size())))];
        const bool hexagonal = row.child == LatticeSystem::Hexagonal && chance(70);
        const Lattice lattice = std::get<Lattice>(hexagonal
                ? Lattice::Make(LatticeSystem::Hexagonal, { 2.95, 2.95, 4.68, 90, 90, 120 })
                : Lattice::Make(LatticeSystem::Cubic, { 2.87, 2.87, 2.87, 90, 90, 90 }));
        const auto small = [this] { return int16_t(below(5) - 2); };
        SecondPlacement placement = row.id;
        switch (below(5)) {
        case 0:
            placement = RelationshipDefinition { { small(), small(), small() },
                { small(), small(), small() }, { small(), small(), small() },
                { small(), small(), small() } };
            break;
        case 1:
            placement = TwinPlane { { small(), small(), small() } };
            break;
        case 2:
            placement = TwinAxis { { small(), small(), small() } };
            break;
        case 3:
            placement = EulerAngles { double(below(360)), double(below(181)), double(below(360)) };
            break;
        default:
            break;
        }
        const auto made
            = SecondCrystal::Make(first, lattice, SpaceGroup::Holohedry(lattice.system()), {},
                placement, below(6), chance(30), chance(30));
        if (const QString* why = std::get_if<QString>(&made)) {
            // The dialog says so and stays open; cancelled then.
            note(QStringLiteral(" (refused: %1)").arg(*why));
            return;
        }
        answer.second = std::get<SecondCrystal>(made);
        answer.second->colour = chance(30);
        note(QStringLiteral(" %1 variant %2 of %3")
                 .arg(std::holds_alternative<NamedRelationship>(placement)
                         ? QString::fromLatin1(row.key)
                         : QStringLiteral("other"))
                 .arg(answer.second->variant)
                 .arg(answer.second->variantCount()));
    } else if (m_state.scene.second) {
        note(QStringLiteral(" removed"));
    } else {
        note(QStringLiteral(" (none to remove)"));
        return;
    }
    const std::vector<Entry> before = m_state.store.entries();
    const std::optional<SecondCrystal> had = m_state.scene.second;
    m_dialogs.clear();
    m_dialogs.nextSecond = answer;
    item->trigger();
    if (!m_dialogs.messages.isEmpty()) {
        // Entries of the second crystal its new lattice cannot take.
        SOAK_CHECK(m_state.scene.second == had && m_state.store.entries() == before,
            QStringLiteral("a refused second crystal changed the work"));
        return;
    }
    SOAK_CHECK(m_state.scene.second == answer.second,
        QStringLiteral("the second crystal is not the one placed"));
    SOAK_CHECK(combo->isVisible() == m_state.scene.twoCrystals(),
        QStringLiteral("the crystal box does not follow the second crystal"));
    if (!answer.second) {
        std::vector<Entry> kept = before;
        std::erase_if(kept, [](const Entry& e) { return e.crystal != 0; });
        SOAK_CHECK(m_state.store.entries() == kept,
            QStringLiteral("removing the second crystal kept its entries or lost others"));
    }
}
